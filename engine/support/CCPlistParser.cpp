#include "CCPlistParser.h"

#include "CCFileUtils.h"
#include "base/CCDictionary.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <string>

NS_CC_BEGIN

namespace
{
const int kMaxPlistDepth = 256;

bool nameIs(const xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && strcmp((const char*)node->name, name) == 0;
}

const xmlNode* firstElement(const xmlNode* node)
{
    while (node && node->type != XML_ELEMENT_NODE)
    {
        node = node->next;
    }
    return node;
}

// Only literal text counts: entity references are never followed.
bool textOf(const xmlNode* element, std::string& text)
{
    text.clear();
    for (const xmlNode* child = element->children; child; child = child->next)
    {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
        {
            if (child->content)
            {
                text += (const char*)child->content;
            }
        }
        else if (child->type == XML_ENTITY_REF_NODE)
        {
            return false;
        }
    }
    return true;
}

class PlistReader
{
public:
    explicit PlistReader(const char* name) : m_name(name ? name : "") {}

    // Retained result or NULL.
    CCObject* readValue(const xmlNode* node, int depth)
    {
        if (depth > kMaxPlistDepth)
        {
            return fail(node, "nested too deeply");
        }
        if (nameIs(node, "dict"))
        {
            return readDict(node, depth);
        }
        if (nameIs(node, "array"))
        {
            return readArray(node, depth);
        }
        std::string text;
        if (nameIs(node, "true"))
        {
            return new CCString("1");
        }
        if (nameIs(node, "false"))
        {
            return new CCString("0");
        }
        if (nameIs(node, "string") || nameIs(node, "integer") || nameIs(node, "real")
            || nameIs(node, "date") || nameIs(node, "data"))
        {
            if (!textOf(node, text))
            {
                return fail(node, "entity references are not read");
            }
            return new CCString(text);
        }
        return fail(node, "unknown element");
    }

    CCObject* fail(const xmlNode* node, const char* reason)
    {
        CCLog("ERROR: Malformed plist %s (line %d): %s <%s>", m_name.c_str(), node ? (int)xmlGetLineNo(node) : 0,
              reason, node && node->name ? (const char*)node->name : "");
        return NULL;
    }

private:
    CCObject* readDict(const xmlNode* node, int depth)
    {
        CCDictionary* dict = new CCDictionary();
        const xmlNode* child = firstElement(node->children);
        while (child)
        {
            std::string key;
            if (!nameIs(child, "key") || !textOf(child, key))
            {
                dict->release();
                return fail(child, "expected a key");
            }
            const xmlNode* valueNode = firstElement(child->next);
            if (!valueNode)
            {
                dict->release();
                return fail(child, "key without a value");
            }
            CCObject* value = readValue(valueNode, depth + 1);
            if (!value)
            {
                dict->release();
                return NULL;
            }
            dict->setObject(value, key);
            value->release();
            child = firstElement(valueNode->next);
        }
        return dict;
    }

    CCObject* readArray(const xmlNode* node, int depth)
    {
        CCArray* array = new CCArray();
        for (const xmlNode* child = firstElement(node->children); child; child = firstElement(child->next))
        {
            CCObject* value = readValue(child, depth + 1);
            if (!value)
            {
                array->release();
                return NULL;
            }
            array->addObject(value);
            value->release();
        }
        return array;
    }

    std::string m_name;
};
} // namespace

CCObject* CCPlistParser::objectWithData(const char* pData, size_t length, const char* nameForLog)
{
    if (!pData || length == 0)
    {
        CCLog("ERROR: Empty plist %s", nameForLog ? nameForLog : "");
        return NULL;
    }
    // NONET: never fetch; no NOENT and no DTDLOAD: entities stay unexpanded, no external DTD.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDocPtr doc = xmlReadMemory(pData, (int)length, nameForLog, NULL, options);
    if (!doc)
    {
        const xmlError* error = xmlGetLastError();
        CCLog("ERROR: Unable to parse plist %s: %s", nameForLog ? nameForLog : "",
              error && error->message ? error->message : "not well-formed XML");
        return NULL;
    }
    PlistReader reader(nameForLog);
    CCObject* result = NULL;
    const xmlNode* root = xmlDocGetRootElement(doc);
    const xmlNode* top = nameIs(root, "plist") ? firstElement(root->children) : root;
    if (nameIs(top, "dict") || nameIs(top, "array"))
    {
        result = reader.readValue(top, 0);
    }
    else
    {
        reader.fail(top ? top : root, "top level must be a dict or an array");
    }
    xmlFreeDoc(doc);
    return result;
}

CCObject* CCPlistParser::objectWithContentsOfFile(const char* pFileName)
{
    unsigned long size = 0;
    unsigned char* data = CCFileUtils::sharedFileUtils()->getFileData(pFileName, "rb", &size);
    if (!data)
    {
        CCLog("ERROR: Unable to open plist %s", pFileName ? pFileName : "(null)");
        return NULL;
    }
    CCObject* result = objectWithData((const char*)data, size, pFileName);
    delete[] data;
    return result;
}

CCDictionary* CCPlistParser::dictionaryWithContentsOfFile(const char* pFileName)
{
    CCObject* object = objectWithContentsOfFile(pFileName);
    CCDictionary* dict = dynamic_cast<CCDictionary*>(object);
    if (object && !dict)
    {
        CCLog("ERROR: Plist %s holds an array where a dict was expected", pFileName);
        object->release();
    }
    return dict;
}

CCArray* CCPlistParser::arrayWithContentsOfFile(const char* pFileName)
{
    CCObject* object = objectWithContentsOfFile(pFileName);
    CCArray* array = dynamic_cast<CCArray*>(object);
    if (object && !array)
    {
        CCLog("ERROR: Plist %s holds a dict where an array was expected", pFileName);
        object->release();
    }
    return array;
}

NS_CC_END
