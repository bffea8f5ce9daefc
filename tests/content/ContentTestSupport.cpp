#include "ContentTestSupport.h"

#include "VornTestSupport.h"

#include <sstream>

using namespace cocos2d;

namespace vorntest
{
const FighterFiles kFighters[2] = {{"jors", "jors-sprites"}, {"street-thug", "thug-sprites"}};

std::string resourcePath(const std::string& name)
{
    return sourcePath("Resources/" + name);
}

FntFile readFnt(const std::string& path)
{
    FntFile out;
    std::istringstream in(readFile(path));
    std::string line;
    int declared = -1;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string tag, field;
        words >> tag;
        std::map<std::string, std::string> fields;
        while (words >> field)
        {
            size_t eq = field.find('=');
            if (eq == std::string::npos)
                continue;
            std::string value = field.substr(eq + 1);
            if (!value.empty() && value[0] == '"')
                value = value.substr(1, value.size() >= 2 ? value.size() - 2 : 0);
            fields[field.substr(0, eq)] = value;
        }
        if (tag == "common")
            out.common = fields;
        else if (tag == "page")
            out.pageFile = fields["file"];
        else if (tag == "chars")
            declared = atoi(fields["count"].c_str());
        else if (tag == "char")
        {
            static const char* kKeys[] = {"id", "x", "y", "width", "height", "xoffset", "yoffset", "xadvance", "page"};
            FntChar c;
            for (const char* k : kKeys)
            {
                auto it = fields.find(k);
                char* end = nullptr;
                long v = it == fields.end() ? 0 : strtol(it->second.c_str(), &end, 10);
                if (it == fields.end() || it->second.empty() || *end != '\0')
                {
                    out.errors.push_back("bad or missing " + std::string(k) + " in: " + line);
                    continue;
                }
                c[k] = (int)v;
            }
            out.chars[c["id"]] = c;
        }
    }
    if (declared != (int)out.chars.size())
        out.errors.push_back("chars count " + std::to_string(declared) + " but " +
                             std::to_string(out.chars.size()) + " char lines");
    return out;
}

std::vector<std::vector<std::string>> readCsv(const std::string& path)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(readFile(path));
    std::string line;
    while (std::getline(in, line))
    {
        std::vector<std::string> cells(1);
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i)
        {
            char c = line[i];
            if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            {
                cells.back() += '"';
                ++i;
            }
            else if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                cells.emplace_back();
            else
                cells.back() += c;
        }
        rows.push_back(cells);
    }
    return rows;
}

std::string stringFor(CCDictionary* d, const char* key)
{
    CCString* s = d ? dynamic_cast<CCString*>(d->objectForKey(key)) : NULL;
    return s ? s->getCString() : "";
}
} // namespace vorntest
