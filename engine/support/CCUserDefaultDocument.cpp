#include "CCUserDefaultDocument.h"

#include "labels/ccUTF8.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <cctype>
#include <cstdlib>
#include <cstring>

NS_CC_BEGIN

namespace
{
const char* kRootName = "userDefaultRoot";
const char* kEntryName = "entry";

// XML 1.0 carries only well-formed UTF-8 (no overlong forms, no surrogates) of its characters:
// tab, line feed, carriage return, U+0020..U+D7FF, U+E000..U+FFFD, U+10000..U+10FFFF. Anything
// else is hex-coded, or the whole file would fail to read back.
bool isXmlSafe(const std::string& text)
{
    static const unsigned int kSmallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
    const unsigned char* s = (const unsigned char*)text.data();
    const size_t n = text.size();
    size_t i = 0;
    while (i < n)
    {
        const unsigned char c = s[i];
        const int length = cc_utf8_sequence_length(c);
        if (length == 0 || i + (size_t)length > n)
        {
            return false;
        }
        unsigned int cp = length == 1 ? c : (c & (0x7F >> length));
        for (int k = 1; k < length; ++k)
        {
            if ((s[i + k] & 0xC0) != 0x80)
            {
                return false;
            }
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        const bool isChar = cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF)
                            || (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
        if (!isChar || cp < kSmallest[length])
        {
            return false;
        }
        i += (size_t)length;
    }
    return true;
}

std::string toHex(const std::string& text)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i)
    {
        unsigned char c = (unsigned char)text[i];
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool fromHex(const std::string& hex, std::string& out)
{
    if (hex.size() % 2)
    {
        return false;
    }
    std::string bytes;  // out may be hex itself
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2)
    {
        char pair[3] = { hex[i], hex[i + 1], 0 };
        char* end = NULL;
        long v = strtol(pair, &end, 16);
        if (*end || !isxdigit((unsigned char)pair[0]))
        {
            return false;
        }
        bytes += (char)v;
    }
    out.swap(bytes);
    return true;
}

std::string textOf(const xmlNode* element)
{
    std::string text;
    for (const xmlNode* child = element->children; child; child = child->next)
    {
        if ((child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) && child->content)
        {
            text += (const char*)child->content;
        }
    }
    return text;
}

std::string attributeOf(const xmlNode* element, const char* name, bool* present)
{
    xmlChar* value = xmlGetProp(element, (const xmlChar*)name);
    *present = value != NULL;
    std::string result = value ? (const char*)value : "";
    xmlFree(value);
    return result;
}

} // namespace

namespace
{
// Reads one element of the root into values; false when the file is not of that layout.
typedef bool (*ElementReader)(const xmlNode* element, CCUserDefaultDocument::Values& values);

// Our layout: <entry key="..." [enc="hex"] [keyenc="hex"]>value</entry>.
bool readEntry(const xmlNode* node, CCUserDefaultDocument::Values& values)
{
    bool hasKey = false;
    bool hasEncoding = false;
    bool hasKeyEncoding = false;
    std::string key = attributeOf(node, "key", &hasKey);
    std::string encoding = attributeOf(node, "enc", &hasEncoding);
    std::string keyEncoding = attributeOf(node, "keyenc", &hasKeyEncoding);
    std::string value = textOf(node);
    if (strcmp((const char*)node->name, kEntryName) != 0 || !hasKey)
    {
        return false;
    }
    if ((hasEncoding && !fromHex(value, value)) || (hasKeyEncoding && !fromHex(key, key)))
    {
        return false;
    }
    values[key] = value;
    return true;
}

// The stock engine's layout: <key>value</key>, no attributes, no nested elements; the first of a
// repeated key counts.
bool readStockElement(const xmlNode* node, CCUserDefaultDocument::Values& values)
{
    if (node->properties != NULL)
    {
        return false;
    }
    for (const xmlNode* child = node->children; child; child = child->next)
    {
        if (child->type == XML_ELEMENT_NODE)
        {
            return false;
        }
    }
    values.insert(std::make_pair(std::string((const char*)node->name), textOf(node)));
    return true;
}

// Parses the document and reads every element under its root; values change only when all of it
// was of the reader's layout.
bool readDocument(const char* data, size_t size, ElementReader readElement, CCUserDefaultDocument::Values& values)
{
    if (size == 0 || size > (size_t)INT_MAX)
    {
        return false;
    }
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDocPtr doc = xmlReadMemory(data, (int)size, NULL, NULL, options);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc) : NULL;
    bool valid = root && strcmp((const char*)root->name, kRootName) == 0;
    CCUserDefaultDocument::Values read;
    for (const xmlNode* node = valid ? root->children : NULL; node && valid; node = node->next)
    {
        if (node->type == XML_ELEMENT_NODE)
        {
            valid = readElement(node, read);
        }
    }
    if (doc)
    {
        xmlFreeDoc(doc);
    }
    if (valid)
    {
        values.swap(read);
    }
    return valid;
}
} // namespace

bool CCUserDefaultDocument::read(const char* data, size_t size, Values& values)
{
    return readDocument(data, size, readEntry, values);
}

bool CCUserDefaultDocument::readStockLayout(const char* data, size_t size, Values& values)
{
    return readDocument(data, size, readStockElement, values);
}

std::string CCUserDefaultDocument::write(const Values& values)
{
    xmlDocPtr doc = xmlNewDoc((const xmlChar*)"1.0");
    xmlNodePtr root = xmlNewNode(NULL, (const xmlChar*)kRootName);
    xmlDocSetRootElement(doc, root);
    for (Values::const_iterator it = values.begin(); it != values.end(); ++it)
    {
        bool plain = isXmlSafe(it->second);
        bool plainKey = isXmlSafe(it->first);
        xmlNodePtr entry = xmlNewChild(root, NULL, (const xmlChar*)kEntryName, NULL);
        xmlNewProp(entry, (const xmlChar*)"key", (const xmlChar*)(plainKey ? it->first : toHex(it->first)).c_str());
        if (!plainKey)
        {
            xmlNewProp(entry, (const xmlChar*)"keyenc", (const xmlChar*)"hex");
        }
        if (!plain)
        {
            xmlNewProp(entry, (const xmlChar*)"enc", (const xmlChar*)"hex");
        }
        // Text content, not an attribute: libxml2 escapes it and newlines survive the round trip.
        xmlNodeAddContent(entry, (const xmlChar*)(plain ? it->second : toHex(it->second)).c_str());
    }
    xmlChar* buffer = NULL;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &buffer, &size, "UTF-8", 1);
    xmlFreeDoc(doc);
    std::string text = buffer ? std::string((const char*)buffer, (size_t)size) : std::string();
    xmlFree(buffer);
    return text;
}

NS_CC_END
