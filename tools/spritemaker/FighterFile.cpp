#include "FighterFile.h"

#include "PngFile.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace vorntool
{
namespace
{
std::string trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return std::string();
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

/** A '#' followed by a space (or ending the line) starts a comment; "#rrggbb" is a colour. */
std::string stripComment(const std::string& s)
{
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (s[i] == '#' && (i + 1 == s.size() || s[i + 1] == ' ' || s[i + 1] == '\t' || s[i + 1] == '#' ||
                            s[i + 1] == '-'))
            return s.substr(0, i);
    }
    return s;
}

std::vector<std::string> words(const std::string& s)
{
    std::istringstream in(s);
    std::vector<std::string> out;
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

void setPair(std::vector<std::pair<std::string, std::string>>& list, const std::string& k, const std::string& v)
{
    for (auto& e : list)
    {
        if (e.first == k)
        {
            e.second = v;
            return;
        }
    }
    list.emplace_back(k, v);
}

bool isKeyLine(const std::string& line, std::string& key, std::string& value)
{
    size_t eq = line.find('=');
    if (eq == std::string::npos || line.empty() || !isupper((unsigned char)line[0]))
        return false;
    key = trim(line.substr(0, eq));
    for (char c : key)
    {
        if (!isalnum((unsigned char)c) && c != '_' && c != '[' && c != ']')
            return false;
    }
    value = trim(line.substr(eq + 1));
    return true;
}

bool parsePoseWords(const std::vector<std::string>& w, size_t from, PoseSpec& spec, std::string& error)
{
    size_t i = from;
    if (i < w.size() && w[i].find('=') == std::string::npos)
        spec.base = w[i++];
    for (; i < w.size(); ++i)
    {
        size_t eq = w[i].find('=');
        if (eq == std::string::npos || eq == 0)
        {
            error = "joint=value expected, got '" + w[i] + "'";
            return false;
        }
        char* end = nullptr;
        std::string num = w[i].substr(eq + 1);
        float v = strtof(num.c_str(), &end);
        if (num.empty() || *end != '\0')
        {
            error = "bad number in '" + w[i] + "'";
            return false;
        }
        spec.changes[w[i].substr(0, eq)] = v;
    }
    return true;
}

struct Reader
{
    Fighter& f;
    Action* action = nullptr;
    bool inActor = false;

    bool load(const std::string& path, int depth)
    {
        if (depth > 8)
        {
            fprintf(stderr, "ERROR: %s: includes nest too deep\n", path.c_str());
            return false;
        }
        std::string text;
        if (!readTextFile(path, text))
            return false;
        std::string dir;
        size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            dir = path.substr(0, slash + 1);
        std::istringstream in(text);
        std::string raw;
        int lineNo = 0;
        while (std::getline(in, raw))
        {
            ++lineNo;
            std::string line = trim(stripComment(raw));
            if (line.empty())
                continue;
            std::string error;
            if (!command(line, dir, depth, error))
            {
                fprintf(stderr, "ERROR: %s:%d: %s\n", path.c_str(), lineNo, error.c_str());
                return false;
            }
        }
        action = nullptr;
        inActor = false;
        return true;
    }

    bool command(const std::string& line, const std::string& dir, int depth, std::string& error)
    {
        std::string key, value;
        if (isKeyLine(line, key, value))
        {
            if (action)
            {
                setPair(action->keys, key, value);
                if (depth == 0)
                    setPair(action->ownKeys, key, value);
            }
            else if (inActor)
            {
                setPair(f.actorKeys, key, value);
                if (depth == 0)
                    setPair(f.ownActorKeys, key, value);
            }
            else
            {
                error = "a key outside 'actor' or 'action'";
                return false;
            }
            return true;
        }
        std::vector<std::string> w = words(line);
        const std::string& cmd = w[0];
        if (cmd == "include" && w.size() == 2)
        {
            Action* keep = action;
            bool keepActor = inActor;
            action = nullptr;
            inActor = false;
            bool ok = load(dir + w[1], depth + 1);
            action = keep;
            inActor = keepActor;
            if (!ok)
                error = "in the included file";
            return ok;
        }
        if (cmd == "fighter" && w.size() == 2)
            f.name = w[1];
        else if (cmd == "sheet" && w.size() == 2)
            f.sheet = w[1];
        else if (cmd == "prefix" && w.size() == 2)
            f.prefix = w[1];
        else if (cmd == "canvas" && w.size() == 3)
        {
            f.canvasW = atoi(w[1].c_str());
            f.canvasH = atoi(w[2].c_str());
            if (f.canvasW < 8 || f.canvasH < 8 || f.canvasW > 1024 || f.canvasH > 1024)
            {
                error = "canvas size out of range";
                return false;
            }
        }
        else if (cmd == "colour" && w.size() == 3)
        {
            Colour c;
            if (!Colour::parse(w[2], c))
            {
                error = "colour #rrggbb expected";
                return false;
            }
            f.palette[w[1]] = c;
        }
        else if (cmd == "bone" && w.size() == 5)
        {
            Bone b;
            b.length = strtof(w[2].c_str(), nullptr);
            b.width = strtof(w[3].c_str(), nullptr);
            b.colour = w[4];
            f.bones[w[1]] = b;
        }
        else if (cmd == "pose" && w.size() >= 2)
        {
            PoseSpec spec;
            if (!parsePoseWords(w, 2, spec, error))
                return false;
            f.poses[w[1]] = spec;
        }
        else if (cmd == "actor" && w.size() == 1)
        {
            action = nullptr;
            inActor = true;
        }
        else if (cmd == "action" && w.size() == 2)
        {
            inActor = false;
            action = f.findAction(w[1]);
            if (!action)
            {
                f.actions.emplace_back();
                action = &f.actions.back();
                action->name = w[1];
            }
            action->framesFromThisFile = false;
        }
        else if (cmd == "frame" && action)
        {
            if (!action->framesFromThisFile)
            {
                action->frames.clear();
                action->framesFromThisFile = true;
            }
            PoseSpec spec;
            if (!parsePoseWords(w, 1, spec, error))
                return false;
            action->frames.push_back(spec);
        }
        else if (cmd == "event" && action && w.size() >= 3)
        {
            size_t at = line.find(w[1], 5) + w[1].size();
            setPair(action->events, w[1], trim(line.substr(at)));
        }
        else
        {
            error = "unknown line '" + line + "'";
            return false;
        }
        return true;
    }
};

/** "a, b, c" → the trimmed items. */
std::vector<std::string> listItems(const std::string& s)
{
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string item;
    while (std::getline(in, item, ','))
    {
        item = trim(item);
        if (!item.empty())
            out.push_back(item);
    }
    return out;
}
} // namespace

Action* Fighter::findAction(const std::string& n)
{
    for (Action& a : actions)
    {
        if (a.name == n)
            return &a;
    }
    return nullptr;
}

bool resolvePose(const Fighter& f, const PoseSpec& spec, Pose& out)
{
    std::vector<const PoseSpec*> chain;
    const PoseSpec* at = &spec;
    chain.push_back(at);
    while (!at->base.empty())
    {
        auto it = f.poses.find(at->base);
        if (it == f.poses.end() || chain.size() > 16)
        {
            fprintf(stderr, "ERROR: unknown or looping pose '%s'\n", at->base.c_str());
            return false;
        }
        at = &it->second;
        chain.push_back(at);
    }
    out.clear();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    {
        for (const auto& j : (*it)->changes)
            out[j.first] = j.second;
    }
    return true;
}

bool loadFighter(const std::string& path, Fighter& out)
{
    Reader r{out};
    if (!r.load(path, 0))
        return false;
    if (out.name.empty() || out.sheet.empty() || out.prefix.empty())
    {
        fprintf(stderr, "ERROR: %s: 'fighter', 'sheet' and 'prefix' are required\n", path.c_str());
        return false;
    }
    if (out.sheet == out.name)
    {
        // Both load as "<name>.plist": a sheet named like its descriptor would replace it.
        fprintf(stderr, "ERROR: %s: the sheet can't share the fighter's name\n", path.c_str());
        return false;
    }
    if (isDerived(out))
    {
        // The game finds a derived kind's frames as SpritePrefix + the base's names.
        std::string spritePrefix;
        for (const auto& k : out.ownActorKeys)
        {
            if (k.first == "SpritePrefix")
                spritePrefix = k.second;
        }
        if (spritePrefix.empty() || out.sheet.compare(0, spritePrefix.size(), spritePrefix) != 0 ||
            out.prefix.compare(0, spritePrefix.size(), spritePrefix) != 0 || out.prefix == spritePrefix)
        {
            fprintf(stderr, "ERROR: %s: a derived fighter needs a SpritePrefix that starts its sheet and frame prefix\n",
                    path.c_str());
            return false;
        }
    }
    return true;
}

std::string frameName(const Fighter& f, const Action& a, size_t i)
{
    std::string lower;
    for (char c : a.name)
        lower += (char)tolower((unsigned char)c);
    char num[16];
    snprintf(num, sizeof num, "_%02u", (unsigned)i);
    return f.prefix + lower + num;
}

bool isDerived(const Fighter& f)
{
    for (const auto& k : f.ownActorKeys)
    {
        if (k.first == "BaseDesc")
            return true;
    }
    return false;
}

namespace
{
void setKeys(PValue& dict, const std::vector<std::pair<std::string, std::string>>& keys)
{
    for (const auto& k : keys)
    {
        const std::string& key = k.first;
        if (key.size() > 2 && key.compare(key.size() - 2, 2, "[]") == 0)
        {
            PValue arr = PValue::array();
            for (const std::string& item : listItems(k.second))
                arr.push(PValue::string(item));
            dict.set(key.substr(0, key.size() - 2), arr);
        }
        else
            dict.set(key, PValue::string(k.second));
    }
}

PValue derivedActorList(const Fighter& f)
{
    PValue root = PValue::dict();
    setKeys(root, f.ownActorKeys);
    PValue actions = PValue::dict();
    bool any = false;
    for (const Action& a : f.actions)
    {
        if (a.ownKeys.empty())
            continue;
        PValue d = PValue::dict();
        for (const auto& k : a.ownKeys)
            d.set(k.first, PValue::string(k.second));
        actions.set(a.name, d);
        any = true;
    }
    if (any)
        root.set("Actions", actions);
    return root;
}
} // namespace

PValue actorList(const Fighter& f)
{
    if (isDerived(f))
        return derivedActorList(f);
    PValue root = PValue::dict();
    setKeys(root, f.actorKeys);
    root.set("SpriteSheet", PValue::string(f.sheet));
    PValue& actions = root.set("Actions", PValue::dict());
    for (const Action& a : f.actions)
    {
        PValue d = PValue::dict();
        for (const auto& k : a.keys)
            d.set(k.first, PValue::string(k.second));
        PValue frames = PValue::array();
        for (size_t i = 0; i < a.frames.size(); ++i)
            frames.push(PValue::string(frameName(f, a, i)));
        d.set("Frames", frames);
        if (!a.events.empty())
        {
            PValue events = PValue::dict();
            for (const auto& e : a.events)
            {
                PValue ev = PValue::dict();
                std::istringstream in(e.second);
                std::string part;
                while (std::getline(in, part, ';'))
                {
                    size_t eq = part.find('=');
                    if (eq != std::string::npos)
                        ev.set(trim(part.substr(0, eq)), PValue::string(trim(part.substr(eq + 1))));
                }
                events.set(e.first, ev);
            }
            d.set("Events", events);
        }
        actions.set(a.name, d);
    }
    return root;
}
} // namespace vorntool
