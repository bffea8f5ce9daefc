#ifndef __VORN_TOOL_PLIST_TEXT_H__
#define __VORN_TOOL_PLIST_TEXT_H__

#include <string>
#include <utility>
#include <vector>

namespace vorntool
{
/** A property-list value kept in insertion order, written as Apple's XML plist text. */
class PValue
{
public:
    enum Kind { kString, kInteger, kBool, kDict, kArray };

    static PValue string(const std::string& s);
    static PValue integer(long v);
    static PValue boolean(bool v);
    static PValue dict();
    static PValue array();

    Kind kind() const { return m_kind; }
    const std::string& text() const { return m_text; }
    /** Sets (or replaces, keeping its place) a dictionary entry; returns the stored value. */
    PValue& set(const std::string& key, const PValue& v);
    PValue* find(const std::string& key);
    PValue& push(const PValue& v);
    const std::vector<std::pair<std::string, PValue>>& entries() const { return m_dict; }
    const std::vector<PValue>& items() const { return m_items; }

    /** The whole document with its XML header. */
    std::string document() const;

private:
    void write(std::string& out, int depth) const;

    Kind m_kind = kString;
    std::string m_text;
    std::vector<std::pair<std::string, PValue>> m_dict;
    std::vector<PValue> m_items;
};

std::string xmlEscape(const std::string& s);
} // namespace vorntool

#endif
