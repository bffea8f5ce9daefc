#include "LayoutParser.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

using namespace cocos2d::extension;

namespace ccbc
{
std::string ParseError::text() const
{
    std::ostringstream out;
    out << file << ":" << line << ": error: " << message;
    return out.str();
}

namespace
{
struct Token
{
    enum Kind { Word, String, Punct, End };
    Kind kind;
    std::string text;
    int line;
};

struct Failure
{
    int line;
    std::string message;
};

[[noreturn]] void fail(int line, const std::string& message)
{
    throw Failure{ line, message };
}

bool sameText(const std::string& a, const char* b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

std::vector<Token> tokenize(const std::string& src)
{
    std::vector<Token> tokens;
    int line = 1;
    size_t i = 0;
    while (i < src.size())
    {
        char c = src[i];
        if (c == '\n') { ++line; ++i; continue; }
        if (std::isspace((unsigned char)c)) { ++i; continue; }
        if (c == '/' && i + 1 < src.size() && src[i + 1] == '/')
        {
            while (i < src.size() && src[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < src.size() && src[i + 1] == '*')
        {
            int startLine = line;
            i += 2;
            while (i + 1 < src.size() && !(src[i] == '*' && src[i + 1] == '/'))
            {
                if (src[i] == '\n') ++line;
                ++i;
            }
            if (i + 1 >= src.size()) fail(startLine, "unterminated comment");
            i += 2;
            continue;
        }
        if (c == '{' || c == '}' || c == '=' || c == ':')
        {
            tokens.push_back(Token{ Token::Punct, std::string(1, c), line });
            ++i;
            continue;
        }
        if (c == '"')
        {
            int startLine = line;
            std::string text;
            ++i;
            for (;;)
            {
                if (i >= src.size() || src[i] == '\n') fail(startLine, "unterminated string");
                char d = src[i++];
                if (d == '"') break;
                if (d == '\\')
                {
                    if (i >= src.size()) fail(startLine, "unterminated string");
                    char e = src[i++];
                    if (e == 'n') d = '\n';
                    else if (e == 't') d = '\t';
                    else if (e == '"' || e == '\\') d = e;
                    else fail(startLine, std::string("unknown escape \\") + e);
                }
                text += d;
            }
            if (text.size() > 0xFFFF) fail(startLine, "string longer than 65535 bytes");
            tokens.push_back(Token{ Token::String, text, startLine });
            continue;
        }
        size_t start = i;
        while (i < src.size() && !std::isspace((unsigned char)src[i]) && !std::strchr("{}=:\"", src[i]))
        {
            if (src[i] == '/' && i + 1 < src.size() && (src[i + 1] == '/' || src[i + 1] == '*')) break;
            ++i;
        }
        tokens.push_back(Token{ Token::Word, src.substr(start, i - start), line });
    }
    tokens.push_back(Token{ Token::End, "end of file", line });
    return tokens;
}

struct KnownProperty
{
    const char* name;
    int type;
};

// Types of the property names the stock and game loaders read, so layouts need not spell them.
const KnownProperty kKnownProperties[] = {
    { "position", kCCBPropTypePosition }, { "contentSize", kCCBPropTypeSize },
    { "anchorPoint", kCCBPropTypePoint }, { "scale", kCCBPropTypeScaleLock },
    { "rotation", kCCBPropTypeDegrees }, { "rotationX", kCCBPropTypeDegrees },
    { "rotationY", kCCBPropTypeDegrees }, { "skew", kCCBPropTypeFloatXY }, { "tag", kCCBPropTypeInteger },
    { "ignoreAnchorPointForPosition", kCCBPropTypeCheck }, { "visible", kCCBPropTypeCheck },
    { "isTouchEnabled", kCCBPropTypeCheck }, { "isAccelerometerEnabled", kCCBPropTypeCheck },
    { "isKeyboardEnabled", kCCBPropTypeCheck }, { "isMouseEnabled", kCCBPropTypeCheck },
    { "color", kCCBPropTypeColor3 }, { "opacity", kCCBPropTypeByte }, { "blendFunc", kCCBPropTypeBlendmode },
    { "displayFrame", kCCBPropTypeSpriteFrame }, { "flip", kCCBPropTypeFlip },
    { "startColor", kCCBPropTypeColor3 }, { "endColor", kCCBPropTypeColor3 },
    { "startOpacity", kCCBPropTypeByte }, { "endOpacity", kCCBPropTypeByte }, { "vector", kCCBPropTypePoint },
    { "fntFile", kCCBPropTypeFntFile }, { "string", kCCBPropTypeText }, { "fontName", kCCBPropTypeFontTTF },
    { "fontSize", kCCBPropTypeFloatScale }, { "dimensions", kCCBPropTypeSize },
    { "horizontalAlignment", kCCBPropTypeIntegerLabeled }, { "verticalAlignment", kCCBPropTypeIntegerLabeled },
    { "normalSpriteFrame", kCCBPropTypeSpriteFrame }, { "selectedSpriteFrame", kCCBPropTypeSpriteFrame },
    { "disabledSpriteFrame", kCCBPropTypeSpriteFrame }, { "block", kCCBPropTypeBlock },
    { "isEnabled", kCCBPropTypeCheck }, { "ccbFile", kCCBPropTypeCCBFile }, { "texture", kCCBPropTypeTexture },
    { "emitterMode", kCCBPropTypeIntegerLabeled }, { "posVar", kCCBPropTypePoint },
    { "emissionRate", kCCBPropTypeFloat }, { "duration", kCCBPropTypeFloat },
    { "totalParticles", kCCBPropTypeInteger }, { "life", kCCBPropTypeFloatVar },
    { "startSize", kCCBPropTypeFloatVar }, { "endSize", kCCBPropTypeFloatVar },
    { "startSpin", kCCBPropTypeFloatVar }, { "endSpin", kCCBPropTypeFloatVar }, { "angle", kCCBPropTypeFloatVar },
    { "gravity", kCCBPropTypePoint }, { "speed", kCCBPropTypeFloatVar },
    { "tangentialAccel", kCCBPropTypeFloatVar }, { "radialAccel", kCCBPropTypeFloatVar },
    { "startRadius", kCCBPropTypeFloatVar }, { "endRadius", kCCBPropTypeFloatVar },
    { "rotatePerSecond", kCCBPropTypeFloatVar }, { "spriteFrame", kCCBPropTypeSpriteFrame },
    { "preferedSize", kCCBPropTypeSize }, { "insetLeft", kCCBPropTypeFloat }, { "insetTop", kCCBPropTypeFloat },
    { "insetRight", kCCBPropTypeFloat }, { "insetBottom", kCCBPropTypeFloat },
    { "zoomOnTouchDown", kCCBPropTypeCheck }, { "title", kCCBPropTypeString }, { "titleTTF", kCCBPropTypeFontTTF },
    { "titleTTFSize", kCCBPropTypeFloatScale }, { "labelAnchorPoint", kCCBPropTypePoint },
    { "backgroundSpriteFrame", kCCBPropTypeSpriteFrame }, { "titleColor", kCCBPropTypeColor3 },
    { "ccControl", kCCBPropTypeBlockCCControl }, { "enabled", kCCBPropTypeCheck },
    { "container", kCCBPropTypeCCBFile }, { "direction", kCCBPropTypeIntegerLabeled },
    { "clipsToBounds", kCCBPropTypeCheck }, { "bounces", kCCBPropTypeCheck },
    // The game's and framework's custom classes.
    { "upSelector", kCCBPropTypeString }, { "downSelector", kCCBPropTypeString },
    { "leftSelector", kCCBPropTypeString }, { "rightSelector", kCCBPropTypeString },
    { "actionSelector", kCCBPropTypeString }, { "backSelector", kCCBPropTypeString },
    { "gamepadEnabled", kCCBPropTypeCheck }, { "gamepadLocked", kCCBPropTypeCheck },
    { "activateOnSelection", kCCBPropTypeCheck }, { "stringID", kCCBPropTypeString },
    { "lockWidth", kCCBPropTypeCheck }, { "lockHeight", kCCBPropTypeCheck }, { "wildcard", kCCBPropTypeString },
    { "delay", kCCBPropTypeFloat }, { "ignorePause", kCCBPropTypeCheck }, { "bounce", kCCBPropTypeCheck },
    { "triggerName", kCCBPropTypeString }, { "repeatTrigger", kCCBPropTypeCheck },
    { "visibleTrigger", kCCBPropTypeCheck },
};

const char* const kTypeNames[kCCBPropType_MAX] = {
    "position", "size", "point", "pointLock", "scaleLock", "degrees", "integer", "float", "floatVar",
    "check", "spriteFrame", "texture", "byte", "color3", "color4fVar", "flip", "blendmode", "fntFile",
    "text", "fontTTF", "integerLabeled", "block", "animation", "ccbFile", "string", "blockControl",
    "floatScale", "floatXY",
};

const char* const kEasingNames[kCCBKeyframeEasing_MAX] = {
    "instant", "linear", "cubicIn", "cubicOut", "cubicInOut", "elasticIn", "elasticOut", "elasticInOut",
    "bounceIn", "bounceOut", "bounceInOut", "backIn", "backOut", "backInOut",
};

int knownPropertyType(const std::string& name, const std::string& className)
{
    // Particle systems keep colours with alpha and variance under the names layers use for colour-3.
    if (className.find("Particle") != std::string::npos && (name == "startColor" || name == "endColor"))
    {
        return kCCBPropTypeColor4FVar;
    }
    for (size_t i = 0; i < sizeof(kKnownProperties) / sizeof(kKnownProperties[0]); ++i)
    {
        if (name == kKnownProperties[i].name) return kKnownProperties[i].type;
    }
    return -1;
}

class Parser
{
public:
    Parser(const std::vector<Token>& tokens) : m_tokens(tokens), m_pos(0) {}

    void parseDocument(CCBDocumentData& doc);

private:
    const Token& peek() const { return m_tokens[m_pos]; }
    const Token& next()
    {
        const Token& t = m_tokens[m_pos];
        if (t.kind != Token::End) ++m_pos;
        return t;
    }
    bool peekWord(const char* word) const { return peek().kind == Token::Word && sameText(peek().text, word); }
    bool peekPunct(char c) const { return peek().kind == Token::Punct && peek().text[0] == c; }
    void expectPunct(char c)
    {
        if (!peekPunct(c)) fail(peek().line, std::string("expected '") + c + "' but found '" + peek().text + "'");
        next();
    }
    std::string readName(const char* what)
    {
        const Token& t = next();
        if (t.kind != Token::Word && t.kind != Token::String) fail(t.line, std::string("expected ") + what);
        return t.text;
    }
    float readNumber()
    {
        const Token& t = next();
        return toNumber(t);
    }
    static float toNumber(const Token& t)
    {
        if (t.kind != Token::Word) fail(t.line, "expected a number but found '" + t.text + "'");
        char* end = 0;
        errno = 0;
        double v = std::strtod(t.text.c_str(), &end);
        if (*end != '\0' || errno != 0 || !std::isfinite(v) || std::fabs(v) > 3.0e38)
        {
            fail(t.line, "'" + t.text + "' is not a number");
        }
        return (float)v;
    }
    static int toInt(const Token& t, long minimum, long maximum)
    {
        if (t.kind != Token::Word) fail(t.line, "expected an integer but found '" + t.text + "'");
        char* end = 0;
        errno = 0;
        long v = std::strtol(t.text.c_str(), &end, 0);
        if (*end != '\0' || errno != 0 || v < minimum || v > maximum)
        {
            std::ostringstream msg;
            msg << "'" << t.text << "' is not an integer from " << minimum << " to " << maximum;
            fail(t.line, msg.str());
        }
        return (int)v;
    }

    /** The tokens after the current one that sit on the given line, up to a '}'. */
    std::vector<Token> restOfLine(int line)
    {
        std::vector<Token> out;
        while (peek().kind != Token::End && peek().line == line && !peekPunct('}')) out.push_back(next());
        return out;
    }

    void parseSequence(CCBDocumentData& doc);
    void removeDeletedSequences(CCBDocumentData& doc);
    void parseNode(CCBDocumentData& doc, CCBNodeData& node, int depth);
    void parseTimeline(CCBDocumentData& doc, CCBNodeData& node, int line);
    void parseProperty(CCBNodeData& node, const Token& nameToken, bool extra);
    static int targetType(const Token& t);
    static bool toBool(const Token& t);
    static void parseValue(CCBValueData& v, const std::vector<Token>& values, int line, bool keyframe);

    const std::vector<Token>& m_tokens;
    size_t m_pos;
    std::vector<std::pair<int, std::string> > m_chains;  ///< per sequence: line and chained name
    std::vector<int> m_deleted;                            ///< ids of sequences marked deleted
};

int Parser::targetType(const Token& t)
{
    if (t.kind == Token::Word)
    {
        if (sameText(t.text, "none")) return kCCBTargetTypeNone;
        if (sameText(t.text, "root")) return kCCBTargetTypeDocumentRoot;
        if (sameText(t.text, "owner")) return kCCBTargetTypeOwner;
    }
    fail(t.line, "expected none, root or owner but found '" + t.text + "'");
}

bool Parser::toBool(const Token& t)
{
    if (t.kind == Token::Word)
    {
        if (sameText(t.text, "true") || sameText(t.text, "yes") || t.text == "1") return true;
        if (sameText(t.text, "false") || sameText(t.text, "no") || t.text == "0") return false;
    }
    fail(t.line, "expected true or false but found '" + t.text + "'");
}

void Parser::parseDocument(CCBDocumentData& doc)
{
    bool haveRoot = false;
    while (peek().kind != Token::End)
    {
        const Token& t = next();
        if (t.kind == Token::Word && sameText(t.text, "sequence"))
        {
            parseSequence(doc);
        }
        else if (t.kind == Token::Word && sameText(t.text, "node"))
        {
            if (haveRoot) fail(t.line, "a layout has one root node");
            haveRoot = true;
            parseNode(doc, doc.root, 0);
        }
        else
        {
            fail(t.line, "expected 'sequence' or 'node' but found '" + t.text + "'");
        }
    }
    if (!haveRoot) fail(peek().line, "the layout has no root node");
    for (size_t i = 0; i < m_chains.size(); ++i)
    {
        if (m_chains[i].second.empty()) continue;
        const CCBSequenceData* chained = doc.findSequence(m_chains[i].second);
        if (!chained) fail(m_chains[i].first, "unknown chained sequence '" + m_chains[i].second + "'");
        doc.sequences[i].chainedSequenceId = chained->sequenceId;
    }
    removeDeletedSequences(doc);
}

// A deleted timeline leaves the file's sequence list but its keyframes stay on the nodes, as the
// editor leaves them; nothing may chain to it or play it.
void Parser::removeDeletedSequences(CCBDocumentData& doc)
{
    std::vector<CCBSequenceData> kept;
    for (size_t i = 0; i < doc.sequences.size(); ++i)
    {
        const CCBSequenceData& seq = doc.sequences[i];
        const bool deleted = std::find(m_deleted.begin(), m_deleted.end(), seq.sequenceId) != m_deleted.end();
        if (!deleted)
        {
            kept.push_back(seq);
            continue;
        }
        if (doc.autoPlaySequenceId == seq.sequenceId) fail(m_chains[i].first, "a deleted sequence cannot play automatically");
        for (size_t k = 0; k < doc.sequences.size(); ++k)
        {
            if (doc.sequences[k].chainedSequenceId == seq.sequenceId)
            {
                fail(m_chains[k].first, "sequence '" + doc.sequences[k].name + "' chains to the deleted '" + seq.name + "'");
            }
        }
    }
    doc.sequences.swap(kept);
}

// sequence NAME DURATION [chain NAME] [autoplay] [{ callback T NAME [root|owner] / sound T FILE ... }]
void Parser::parseSequence(CCBDocumentData& doc)
{
    int line = peek().line;
    CCBSequenceData seq;
    seq.name = readName("a sequence name");
    if (doc.findSequence(seq.name)) fail(line, "sequence '" + seq.name + "' is declared twice");
    seq.sequenceId = (int)doc.sequences.size();
    seq.duration = readNumber();
    if (seq.duration < 0) fail(line, "a sequence cannot last less than 0 seconds");
    std::string chain;
    for (;;)
    {
        if (peekWord("chain"))
        {
            next();
            chain = readName("the chained sequence's name");
        }
        else if (peekWord("deleted"))
        {
            next();
            m_deleted.push_back(seq.sequenceId);
        }
        else if (peekWord("autoplay"))
        {
            int autoLine = next().line;
            if (doc.autoPlaySequenceId >= 0) fail(autoLine, "only one sequence can play automatically");
            doc.autoPlaySequenceId = seq.sequenceId;
        }
        else break;
    }
    if (peekPunct('{'))
    {
        next();
        while (!peekPunct('}'))
        {
            const Token& item = next();
            if (item.kind == Token::Word && sameText(item.text, "callback"))
            {
                CCBCallbackKeyframeData cb;
                cb.time = readNumber();
                cb.name = readName("a callback name");
                cb.targetType = kCCBTargetTypeOwner;
                if (peekWord("root") || peekWord("owner") || peekWord("none")) cb.targetType = targetType(next());
                seq.callbacks.push_back(cb);
            }
            else if (item.kind == Token::Word && sameText(item.text, "sound"))
            {
                CCBSoundKeyframeData sound;
                sound.time = readNumber();
                sound.file = readName("a sound file");
                for (;;)
                {
                    if (peekWord("pitch")) { next(); sound.pitch = readNumber(); }
                    else if (peekWord("pan")) { next(); sound.pan = readNumber(); }
                    else if (peekWord("gain")) { next(); sound.gain = readNumber(); }
                    else break;
                }
                seq.sounds.push_back(sound);
            }
            else
            {
                fail(item.line, "expected 'callback', 'sound' or '}' but found '" + item.text + "'");
            }
        }
        next();
    }
    m_chains.push_back(std::make_pair(line, chain));
    doc.sequences.push_back(seq);
}

// node CLASS { member root|owner NAME / timeline NAME { ... } / node ... / [custom] NAME[:TYPE] = VALUES }
void Parser::parseNode(CCBDocumentData& doc, CCBNodeData& node, int depth)
{
    if (depth > 200) fail(peek().line, "nodes nested too deeply");
    node.className = readName("a class name");
    expectPunct('{');
    while (!peekPunct('}'))
    {
        const Token& t = next();
        if (t.kind == Token::End) fail(t.line, "missing '}' of node " + node.className);
        if (t.kind != Token::Word) fail(t.line, "unexpected '" + t.text + "' in node " + node.className);
        if (sameText(t.text, "node"))
        {
            node.children.push_back(CCBNodeData());
            parseNode(doc, node.children.back(), depth + 1);
        }
        else if (sameText(t.text, "member"))
        {
            if (node.memberAssignType != kCCBTargetTypeNone) fail(t.line, "the node already has a member name");
            node.memberAssignType = targetType(next());
            if (node.memberAssignType == kCCBTargetTypeNone) fail(t.line, "a member goes to root or owner");
            node.memberAssignName = readName("a member name");
        }
        else if (sameText(t.text, "timeline"))
        {
            parseTimeline(doc, node, t.line);
        }
        else if (sameText(t.text, "custom"))
        {
            const Token& name = next();
            if (name.kind != Token::Word) fail(name.line, "expected a property name after 'custom'");
            parseProperty(node, name, true);
        }
        else
        {
            parseProperty(node, t, false);
        }
    }
    next();
}

void Parser::parseProperty(CCBNodeData& node, const Token& nameToken, bool extra)
{
    CCBPropertyData prop;
    prop.extra = extra;
    prop.name = nameToken.text;
    size_t at = prop.name.find('@');
    if (at != std::string::npos)
    {
        std::string platform = prop.name.substr(at + 1);
        prop.name.erase(at);
        if (sameText(platform, "ios")) prop.platform = kCCBPlatformIOS;
        else if (sameText(platform, "mac")) prop.platform = kCCBPlatformMac;
        else fail(nameToken.line, "unknown platform '" + platform + "' (ios or mac)");
    }
    int type = -1;
    if (peekPunct(':'))
    {
        next();
        const Token& typeToken = next();
        type = propertyTypeFromName(typeToken.text);
        if (type < 0 || typeToken.kind != Token::Word) fail(typeToken.line, "unknown property type '" + typeToken.text + "'");
    }
    else
    {
        type = knownPropertyType(prop.name.substr(0, prop.name.find('|')), node.className);
        if (type < 0)
        {
            fail(nameToken.line, "unknown property '" + prop.name + "': give its type, as in " + prop.name + ": string = ...");
        }
    }
    int line = peek().line;
    expectPunct('=');
    prop.value.type = type;
    parseValue(prop.value, restOfLine(line), line, false);
    node.properties.push_back(prop);
}

// timeline NAME { PROP[:TYPE] TIME = VALUES [ease EASING [OPTION]] ... }
void Parser::parseTimeline(CCBDocumentData& doc, CCBNodeData& node, int line)
{
    std::string name = readName("a timeline name");
    const CCBSequenceData* seq = doc.findSequence(name);
    if (!seq) fail(line, "unknown timeline '" + name + "' (declare it first with 'sequence')");
    CCBNodeSequenceData* target = 0;
    for (size_t i = 0; i < node.sequences.size(); ++i)
    {
        if (node.sequences[i].sequenceId == seq->sequenceId) target = &node.sequences[i];
    }
    if (!target)
    {
        node.sequences.push_back(CCBNodeSequenceData());
        target = &node.sequences.back();
        target->sequenceId = seq->sequenceId;
    }
    expectPunct('{');
    while (!peekPunct('}'))
    {
        const Token& propToken = next();
        if (propToken.kind != Token::Word) fail(propToken.line, "expected an animated property but found '" + propToken.text + "'");
        int type;
        if (peekPunct(':'))
        {
            next();
            const Token& typeToken = next();
            type = propertyTypeFromName(typeToken.text);
            if (type < 0) fail(typeToken.line, "unknown property type '" + typeToken.text + "'");
        }
        else
        {
            type = knownPropertyType(propToken.text, node.className);
            if (propToken.text == "opacity") type = kCCBPropTypeByte;
            if (type < 0) fail(propToken.line, "unknown animated property '" + propToken.text + "': give its type");
        }
        if (!ccbKeyframeTypeHasValue(type)) fail(propToken.line, "a " + std::string(kTypeNames[type]) + " property cannot be animated");

        CCBKeyframeData key;
        key.time = readNumber();
        if (key.time < 0 || key.time > seq->duration + 1e-4f) fail(propToken.line, "keyframe time outside the sequence");
        int valueLine = peek().line;
        expectPunct('=');
        std::vector<Token> values = restOfLine(valueLine);
        size_t easeAt = values.size();
        for (size_t i = 0; i < values.size(); ++i)
        {
            if (values[i].kind == Token::Word && sameText(values[i].text, "ease")) { easeAt = i; break; }
        }
        if (easeAt < values.size())
        {
            if (easeAt + 1 >= values.size()) fail(valueLine, "'ease' needs an easing name");
            const Token& easeToken = values[easeAt + 1];
            key.easing = -1;
            for (int e = 0; e < kCCBKeyframeEasing_MAX; ++e)
            {
                if (sameText(easeToken.text, kEasingNames[e])) key.easing = e;
            }
            if (key.easing < 0) fail(valueLine, "unknown easing '" + easeToken.text + "'");
            if (ccbEasingHasOption(key.easing))
            {
                bool elastic = key.easing >= kCCBKeyframeEasingElasticIn;
                key.easingOpt = elastic ? 0.3f : 2.0f;
                if (easeAt + 2 < values.size()) key.easingOpt = toNumber(values[easeAt + 2]);
                if (easeAt + 3 < values.size()) fail(valueLine, "too many values after the easing");
            }
            else if (easeAt + 2 < values.size())
            {
                fail(valueLine, "easing '" + easeToken.text + "' takes no option");
            }
            values.resize(easeAt);
        }
        key.value.type = type;
        parseValue(key.value, values, valueLine, true);

        CCBAnimatedPropertyData* prop = 0;
        for (size_t i = 0; i < target->properties.size(); ++i)
        {
            if (target->properties[i].name == propToken.text) prop = &target->properties[i];
        }
        if (!prop)
        {
            target->properties.push_back(CCBAnimatedPropertyData());
            prop = &target->properties.back();
            prop->name = propToken.text;
            prop->type = type;
        }
        if (prop->type != type) fail(propToken.line, "keyframes of '" + prop->name + "' have different types");
        if (!prop->keyframes.empty() && prop->keyframes.back().time > key.time)
        {
            fail(propToken.line, "keyframes of '" + prop->name + "' must be in time order");
        }
        prop->keyframes.push_back(key);
    }
    next();
}

void Parser::parseValue(CCBValueData& v, const std::vector<Token>& values, int line, bool keyframe)
{
    const std::string typeName = kTypeNames[v.type];
    size_t used = 0;
    auto need = [&](size_t n) {
        if (values.size() < used + n) fail(line, "too few values for a " + typeName + " property");
    };
    auto number = [&]() { need(1); return toNumber(values[used++]); };
    auto text = [&]() {
        need(1);
        const Token& t = values[used++];
        if (t.kind != Token::String) fail(t.line, "expected a quoted string but found '" + t.text + "'");
        return t.text;
    };
    auto optionalKind = [&](const char* const* names, int count, int fallback) {
        if (used >= values.size()) return fallback;
        const Token& t = values[used++];
        for (int i = 0; i < count; ++i)
        {
            if (names[i] && sameText(t.text, names[i])) return i;
        }
        fail(t.line, "unknown unit '" + t.text + "' of a " + typeName + " property");
    };
    auto byteValue = [&]() {
        need(1);
        return (unsigned char)toInt(values[used++], 0, 255);
    };
    static const char* const positionKinds[] = { "bottomLeft", "topLeft", "topRight", "bottomRight", "percent", "scaled" };
    static const char* const sizeKinds[] = { "absolute", "percent", "relative", "hpercent", "vpercent", "scaled" };
    static const char* const scaleKinds[] = { "absolute", "scaled" };

    switch (v.type)
    {
    case kCCBPropTypePosition:
    case kCCBPropTypeSize:
        v.floats[0] = number();
        v.floats[1] = number();
        if (!keyframe)
        {
            v.ints[0] = v.type == kCCBPropTypePosition ? optionalKind(positionKinds, 6, 0) : optionalKind(sizeKinds, 6, 0);
        }
        break;
    case kCCBPropTypeScaleLock:
        v.floats[0] = number();
        v.floats[1] = v.floats[0];
        if (used < values.size() && !sameText(values[used].text, "scaled") && !sameText(values[used].text, "absolute"))
        {
            v.floats[1] = number();
        }
        if (!keyframe) v.ints[0] = optionalKind(scaleKinds, 2, 0);
        break;
    case kCCBPropTypePoint:
    case kCCBPropTypePointLock:
    case kCCBPropTypeFloatXY:
    case kCCBPropTypeFloatVar:
        v.floats[0] = number();
        v.floats[1] = number();
        break;
    case kCCBPropTypeDegrees:
    case kCCBPropTypeFloat: v.floats[0] = number(); break;
    case kCCBPropTypeFloatScale:
        v.floats[0] = number();
        v.ints[0] = optionalKind(scaleKinds, 2, 0);
        break;
    case kCCBPropTypeInteger:
        need(1);
        v.ints[0] = toInt(values[used++], -1000000000L, 1000000000L);
        break;
    case kCCBPropTypeIntegerLabeled:
    {
        need(1);
        const Token& t = values[used++];
        if (sameText(t.text, "left") || sameText(t.text, "top")) v.ints[0] = 0;
        else if (sameText(t.text, "center")) v.ints[0] = 1;
        else if (sameText(t.text, "right") || sameText(t.text, "bottom")) v.ints[0] = 2;
        else v.ints[0] = toInt(t, -1000000000L, 1000000000L);
        break;
    }
    case kCCBPropTypeCheck:
        need(1);
        v.bytes[0] = toBool(values[used++]) ? 1 : 0;
        break;
    case kCCBPropTypeFlip:
        need(2);
        v.bytes[0] = toBool(values[used++]) ? 1 : 0;
        v.bytes[1] = toBool(values[used++]) ? 1 : 0;
        break;
    case kCCBPropTypeByte: v.bytes[0] = byteValue(); break;
    case kCCBPropTypeColor3:
        need(1);
        if (values[used].text.size() == 7 && values[used].text[0] == '#')
        {
            const std::string& hex = values[used].text;
            for (int i = 0; i < 3; ++i)
            {
                Token part = values[used];
                part.text = "0x" + hex.substr(1 + 2 * i, 2);
                v.bytes[i] = (unsigned char)toInt(part, 0, 255);
            }
            ++used;
        }
        else
        {
            for (int i = 0; i < 3; ++i) v.bytes[i] = byteValue();
        }
        break;
    case kCCBPropTypeColor4FVar:
        for (int i = 0; i < 8; ++i) v.floats[i] = number();
        break;
    case kCCBPropTypeBlendmode:
    {
        static const struct { const char* name; int value; } factors[] = {
            { "zero", 0 }, { "one", 1 }, { "srcColor", 0x300 }, { "oneMinusSrcColor", 0x301 },
            { "srcAlpha", 0x302 }, { "oneMinusSrcAlpha", 0x303 }, { "dstAlpha", 0x304 },
            { "oneMinusDstAlpha", 0x305 }, { "dstColor", 0x306 }, { "oneMinusDstColor", 0x307 },
        };
        need(2);
        for (int k = 0; k < 2; ++k)
        {
            const Token& t = values[used++];
            int found = -1;
            for (size_t i = 0; i < sizeof(factors) / sizeof(factors[0]); ++i)
            {
                if (sameText(t.text, factors[i].name)) found = factors[i].value;
            }
            v.ints[k] = found >= 0 ? found : toInt(t, 0, 0xFFFF);
        }
        break;
    }
    case kCCBPropTypeSpriteFrame:
        // "sheet.plist" "frame.png", or just "image.png" for a whole picture.
        v.strings[0] = text();
        if (used < values.size()) v.strings[1] = text();
        else v.strings[1].swap(v.strings[0]);
        break;
    case kCCBPropTypeAnimation:
        v.strings[0] = text();
        v.strings[1] = text();
        break;
    case kCCBPropTypeTexture:
    case kCCBPropTypeFntFile:
    case kCCBPropTypeText:
    case kCCBPropTypeFontTTF:
    case kCCBPropTypeString:
    case kCCBPropTypeCCBFile: v.strings[0] = text(); break;
    case kCCBPropTypeBlock:
    case kCCBPropTypeBlockCCControl:
        v.strings[0] = text();
        v.ints[0] = kCCBTargetTypeOwner;
        if (used < values.size()) v.ints[0] = targetType(values[used++]);
        if (v.type == kCCBPropTypeBlockCCControl)
        {
            need(1);
            v.ints[1] = toInt(values[used++], 0, 1000000000L);
        }
        break;
    default: fail(line, "unsupported property type");
    }
    if (used < values.size()) fail(line, "unexpected '" + values[used].text + "' after a " + typeName + " value");
}
} // namespace

int propertyTypeFromName(const std::string& name)
{
    for (int i = 0; i < kCCBPropType_MAX; ++i)
    {
        if (sameText(name, kTypeNames[i])) return i;
    }
    return -1;
}

bool parseLayout(const std::string& source, const std::string& fileName, CCBDocumentData& out, ParseError& error)
{
    error.file = fileName;
    try
    {
        std::vector<Token> tokens = tokenize(source);
        Parser parser(tokens);
        CCBDocumentData doc;
        parser.parseDocument(doc);
        out = doc;
        return true;
    }
    catch (const Failure& f)
    {
        error.line = f.line;
        error.message = f.message;
        return false;
    }
}
} // namespace ccbc
