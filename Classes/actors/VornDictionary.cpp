#include "VornDictionary.h"

#include <cstdio>

NS_CC_BEGIN

VornDictionary* VornDictionary::create()
{
    VornDictionary* dict = new VornDictionary();
    dict->autorelease();
    return dict;
}

VornDictionary::~VornDictionary()
{
}

const CCString* VornDictionary::textForKey(CCDictionary* dict, const std::string& key)
{
    if (!dict)
    {
        return NULL;
    }
    return dynamic_cast<CCString*>(dict->objectForKey(key));
}

bool VornDictionary::getFloat(CCDictionary* dict, const std::string& key, float* value)
{
    const CCString* text = textForKey(dict, key);
    if (text && value)
    {
        *value = text->floatValue();
    }
    return text != NULL;
}

bool VornDictionary::getInt(CCDictionary* dict, const std::string& key, int* value)
{
    const CCString* text = textForKey(dict, key);
    if (text && value)
    {
        *value = text->intValue();
    }
    return text != NULL;
}

bool VornDictionary::getBool(CCDictionary* dict, const std::string& key, bool* value)
{
    const CCString* text = textForKey(dict, key);
    if (text && value)
    {
        *value = text->intValue() != 0;
    }
    return text != NULL;
}

bool VornDictionary::getPoint(CCDictionary* dict, const std::string& key, CCPoint* value)
{
    const CCString* text = textForKey(dict, key);
    if (text && value)
    {
        float x = value->x;
        float y = value->y;
        std::sscanf(text->getCString(), "(%f,%f)", &x, &y);
        value->x = x;
        value->y = y;
    }
    return text != NULL;
}

bool VornDictionary::getSize(CCDictionary* dict, const std::string& key, CCSize* value)
{
    CCPoint point = value ? CCPoint(value->width, value->height) : CCPoint();
    bool found = getPoint(dict, key, value ? &point : NULL);
    if (found && value)
    {
        value->width = point.x;
        value->height = point.y;
    }
    return found;
}

bool VornDictionary::getString(CCDictionary* dict, const std::string& key, std::string* value)
{
    const CCString* text = textForKey(dict, key);
    if (text && value)
    {
        *value = text->getCString();
    }
    return text != NULL;
}

bool VornDictionary::getArray(CCDictionary* dict, const std::string& key, CCArray** value)
{
    CCArray* stored = dict ? dynamic_cast<CCArray*>(dict->objectForKey(key)) : NULL;
    if (stored && value)
    {
        CCArray* copy = new CCArray();
        copy->initWithCapacity(stored->count());
        copy->addObjectsFromArray(stored);
        *value = copy;
    }
    return stored != NULL;
}

NS_CC_END
