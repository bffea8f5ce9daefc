#include "PlistText.h"

namespace vorntool
{
std::string xmlEscape(const std::string& s)
{
    std::string out;
    for (char c : s)
    {
        switch (c)
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

PValue PValue::string(const std::string& s)
{
    PValue v;
    v.m_kind = kString;
    v.m_text = s;
    return v;
}

PValue PValue::integer(long n)
{
    PValue v;
    v.m_kind = kInteger;
    v.m_text = std::to_string(n);
    return v;
}

PValue PValue::boolean(bool b)
{
    PValue v;
    v.m_kind = kBool;
    v.m_text = b ? "true" : "false";
    return v;
}

PValue PValue::dict()
{
    PValue v;
    v.m_kind = kDict;
    return v;
}

PValue PValue::array()
{
    PValue v;
    v.m_kind = kArray;
    return v;
}

PValue& PValue::set(const std::string& key, const PValue& v)
{
    for (auto& e : m_dict)
    {
        if (e.first == key)
        {
            e.second = v;
            return e.second;
        }
    }
    m_dict.emplace_back(key, v);
    return m_dict.back().second;
}

PValue* PValue::find(const std::string& key)
{
    for (auto& e : m_dict)
    {
        if (e.first == key)
            return &e.second;
    }
    return nullptr;
}

PValue& PValue::push(const PValue& v)
{
    m_items.push_back(v);
    return m_items.back();
}

void PValue::write(std::string& out, int depth) const
{
    std::string pad(depth, '\t');
    switch (m_kind)
    {
    case kString: out += pad + "<string>" + xmlEscape(m_text) + "</string>\n"; break;
    case kInteger: out += pad + "<integer>" + m_text + "</integer>\n"; break;
    case kBool: out += pad + "<" + m_text + "/>\n"; break;
    case kDict:
        if (m_dict.empty())
        {
            out += pad + "<dict/>\n";
            break;
        }
        out += pad + "<dict>\n";
        for (const auto& e : m_dict)
        {
            out += pad + "\t<key>" + xmlEscape(e.first) + "</key>\n";
            e.second.write(out, depth + 1);
        }
        out += pad + "</dict>\n";
        break;
    case kArray:
        if (m_items.empty())
        {
            out += pad + "<array/>\n";
            break;
        }
        out += pad + "<array>\n";
        for (const auto& i : m_items)
            i.write(out, depth + 1);
        out += pad + "</array>\n";
        break;
    }
}

std::string PValue::document() const
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                      "<plist version=\"1.0\">\n";
    write(out, 0);
    out += "</plist>\n";
    return out;
}
} // namespace vorntool
