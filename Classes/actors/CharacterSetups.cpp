#include "CharacterSetups.h"

#include "CCConsole.h"
#include "CCFileUtils.h"
#include "CCNumber.h"
#include "TextHelpers.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

NS_CC_BEGIN

CharacterSetups::CharacterSetups() : m_pSetups(NULL)
{
}

CharacterSetups::~CharacterSetups()
{
    CC_SAFE_RELEASE(m_pSetups);
}

CharacterSetups* CharacterSetups::create(const char* fileName)
{
    CCDictionary* setups = parse(fileName);
    if (!setups)
    {
        CCLog("Error: Unable to initialise CharacterSetups");
        return NULL;
    }
    CharacterSetups* table = new CharacterSetups();
    table->setSetups(setups);
    table->autorelease();
    return table;
}

void CharacterSetups::setSetups(CCDictionary* setups)
{
    CC_SAFE_RETAIN(setups);
    CC_SAFE_RELEASE(m_pSetups);
    m_pSetups = setups;
}

bool CharacterSetups::getValue(const char* character, const char* category, float& out)
{
    if (!m_pSetups || !character || !category)
    {
        return false;
    }
    CCDictionary* row = dynamic_cast<CCDictionary*>(m_pSetups->objectForKey(character));
    CCFloat* value = row ? dynamic_cast<CCFloat*>(row->objectForKey(category)) : NULL;
    if (!value)
    {
        return false;
    }
    out = value->getValue();
    return true;
}

bool CharacterSetups::getValue(const char* character, const char* category, int& out)
{
    float value = 0.0f;
    if (!getValue(character, category, value))
    {
        return false;
    }
    out = (int)value;
    return true;
}

// The whole field as a number (blanks around it allowed); false for anything else.
static bool readNumber(const char* field, float* value)
{
    char* end = NULL;
    *value = strtof(field, &end);
    if (end == field)
    {
        return false;
    }
    while (*end == ' ' || *end == '\t' || *end == '\r')
    {
        ++end;
    }
    return *end == '\0' && std::isfinite(*value);
}

std::string CharacterSetups::findFighterWithoutHealth()
{
    CCDictElement* element = NULL;
    CCDICT_FOREACH(m_pSetups, element)
    {
        float low = 0.0f;
        float high = 0.0f;
        if (!getValue(element->getStrKey(), "MinHealth", low) || !getValue(element->getStrKey(), "MaxHealth", high) ||
            !(low > 0.0f) || !(high > 0.0f))
        {
            return element->getStrKey();
        }
    }
    return "";
}

CCDictionary* CharacterSetups::parse(const char* fileName)
{
    CCDictionary* result = CCDictionary::create();
    char* text = readTextFile(fileName);
    CCArray* lines = splitLines(text);
    delete[] text;
    const char* name = fileName ? fileName : "";
    if (!lines || lines->count() == 0)
    {
        // Every fighter's health and power come from here: say so, whatever the caller makes of it.
        bool present = fileName && CCFileUtils::sharedFileUtils()->isFileExist(fileName);
        CCLog("ERROR: The character table \"%s\" is %s", name, present ? "empty" : "missing");
        return result;
    }

    std::vector<std::string> categories;
    for (unsigned int r = 0; lines && r < lines->count(); ++r)
    {
        CCString* line = static_cast<CCString*>(lines->objectAtIndex(r));
        // Numbers such as "1,500" are quoted in the tables; read them whole.
        CCArray* fields = splitCSVLine(line->getCString(), true);
        CCDictionary* row = NULL;
        unsigned int c = 0;
        for (; fields && c < fields->count(); ++c)
        {
            const char* field = static_cast<CCString*>(fields->objectAtIndex(c))->getCString();
            if (r == 0)
            {
                CCLog("Category: %s", field);
                categories.push_back(field);
                continue;
            }
            if (field[0] == '\0')
            {
                break;
            }
            if (c == 0)
            {
                row = CCDictionary::create();
                result->setObject(row, field);
            }
            else if (c < categories.size())
            {
                // A value past the header's last column has no category to go under. Junk is
                // left out (the lookup fails) rather than read as 0.
                float value = 0.0f;
                if (readNumber(field, &value))
                {
                    row->setObject(CCFloat::create(value), categories[c]);
                }
                else
                {
                    CCLog("ERROR: The character table \"%s\", line %u: \"%s\" under %s is not a number", name, r + 1,
                          field, categories[c].c_str());
                }
            }
        }
        if (row && c < categories.size())
        {
            CCLog("ERROR: The character table \"%s\", line %u: the row ends before its %s", name, r + 1,
                  categories[c].c_str());
        }
    }
    if (result->count() == 0)
    {
        CCLog("ERROR: The character table \"%s\" names no characters", name);
    }
    return result;
}

NS_CC_END
