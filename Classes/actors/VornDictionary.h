#ifndef __VORN_DICTIONARY_H__
#define __VORN_DICTIONARY_H__

#include "CCDictionary.h"
#include "CCGeometry.h"

#include <string>

NS_CC_BEGIN

/**
 * A string-keyed dictionary with typed getters for the game's property lists, where every scalar
 * is text. Each getter answers whether the key is present; only then is the target written (a null
 * target makes it a presence test), so the caller's prior value is the default. A value of the
 * wrong kind (a dictionary where text is expected) counts as absent.
 *
 * Dictionaries read from files are plain CCDictionary objects: the static forms read those without
 * pretending they are of this class.
 */
class VornDictionary : public CCDictionary
{
public:
    static VornDictionary* create();
    virtual ~VornDictionary();

    bool getFloat(std::string key, float* value) { return getFloat(this, key, value); }
    bool getInt(std::string key, int* value) { return getInt(this, key, value); }
    bool getBool(std::string key, bool* value) { return getBool(this, key, value); }
    bool getPoint(std::string key, CCPoint* value) { return getPoint(this, key, value); }
    bool getSize(std::string key, CCSize* value) { return getSize(this, key, value); }
    bool getString(std::string key, std::string* value) { return getString(this, key, value); }
    bool getArray(std::string key, CCArray** value) { return getArray(this, key, value); }

    /** The text as a float; text that is no number gives 0. */
    static bool getFloat(CCDictionary* dict, const std::string& key, float* value);
    /** The text's leading integer; text that is no number gives 0. */
    static bool getInt(CCDictionary* dict, const std::string& key, int* value);
    /** True when the text's leading integer is not 0 (so "0.5" is false). */
    static bool getBool(CCDictionary* dict, const std::string& key, bool* value);
    /** "(x,y)"; a component the text does not reach keeps its prior value. */
    static bool getPoint(CCDictionary* dict, const std::string& key, CCPoint* value);
    /** "(width,height)", read as getPoint reads a point. */
    static bool getSize(CCDictionary* dict, const std::string& key, CCSize* value);
    static bool getString(CCDictionary* dict, const std::string& key, std::string* value);
    /**
     * A new array (not autoreleased: the caller releases it) holding the stored array's elements
     * in order.
     */
    static bool getArray(CCDictionary* dict, const std::string& key, CCArray** value);

private:
    static const CCString* textForKey(CCDictionary* dict, const std::string& key);
};

NS_CC_END

#endif // __VORN_DICTIONARY_H__
