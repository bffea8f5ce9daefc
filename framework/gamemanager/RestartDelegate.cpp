#include "RestartDelegate.h"

#include "CCConsole.h"
#include "CCUserDefault.h"

NS_CC_BEGIN

void restartWriteValue(const std::string& key, bool value)
{
    CCUserDefault::sharedUserDefault()->setBoolForKey(key.c_str(), value);
}

void restartWriteValue(const std::string& key, float value)
{
    CCUserDefault::sharedUserDefault()->setFloatForKey(key.c_str(), value);
}

void restartWriteValue(const std::string& key, int value)
{
    CCUserDefault::sharedUserDefault()->setIntegerForKey(key.c_str(), value);
}

void restartWriteValue(const std::string& key, const std::string& value)
{
    CCUserDefault::sharedUserDefault()->setStringForKey(key.c_str(), value);
}

void restartWriteValue(const std::string& key, const CCPoint& value)
{
    CCUserDefault::sharedUserDefault()->setFloatForKey((key + "_X").c_str(), value.x);
    CCUserDefault::sharedUserDefault()->setFloatForKey((key + "_Y").c_str(), value.y);
}

void restartReadValue(const std::string& key, bool& value)
{
    value = CCUserDefault::sharedUserDefault()->getBoolForKey(key.c_str());
}

void restartReadValue(const std::string& key, float& value)
{
    value = CCUserDefault::sharedUserDefault()->getFloatForKey(key.c_str());
}

void restartReadValue(const std::string& key, int& value)
{
    value = CCUserDefault::sharedUserDefault()->getIntegerForKey(key.c_str());
}

void restartReadValue(const std::string& key, std::string& value)
{
    value = CCUserDefault::sharedUserDefault()->getStringForKey(key.c_str());
}

void restartReadValue(const std::string& key, CCPoint& value)
{
    value.x = CCUserDefault::sharedUserDefault()->getFloatForKey((key + "_X").c_str());
    value.y = CCUserDefault::sharedUserDefault()->getFloatForKey((key + "_Y").c_str());
}

void restartLogValue(const char* verb, const std::string& key, bool value)
{
    CCLog("Restart - %s %s: %s", verb, key.c_str(), value ? "true" : "false");
}

void restartLogValue(const char* verb, const std::string& key, float value)
{
    CCLog("Restart - %s %s: %.2f", verb, key.c_str(), value);
}

void restartLogValue(const char* verb, const std::string& key, int value)
{
    CCLog("Restart - %s %s: %d", verb, key.c_str(), value);
}

void restartLogValue(const char* verb, const std::string& key, const std::string& value)
{
    CCLog("Restart - %s %s: %s", verb, key.c_str(), value.c_str());
}

void restartLogValue(const char* verb, const std::string& key, const CCPoint& value)
{
    CCLog("Restart - %s %s: %.2f,%.2f", verb, key.c_str(), value.x, value.y);
}

void restartLogRestored(const std::string& key)
{
    CCLog("Restart - load value for %s", key.c_str());
}

NS_CC_END
