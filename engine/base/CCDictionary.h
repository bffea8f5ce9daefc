#ifndef __CC_DICTIONARY_H__
#define __CC_DICTIONARY_H__

#include "CCArray.h"
#include "CCString.h"

#include <stdint.h>
#include <string>
#include <unordered_map>

NS_CC_BEGIN

class CCDictionary;

/** One entry: a string or an integer key and its retained object. */
class CCDictElement
{
public:
    const char* getStrKey() const { return m_strKey.c_str(); }
    intptr_t getIntKey() const { return m_iKey; }
    CCObject* getObject() const { return m_pObject; }
    /** The entry after this one in insertion order. */
    CCDictElement* nextElement() const { return m_pNext; }

private:
    CCDictElement(const std::string& strKey, intptr_t iKey, CCObject* pObject);
    ~CCDictElement();

    std::string m_strKey;
    intptr_t m_iKey;
    CCObject* m_pObject;
    CCDictElement* m_pPrev;
    CCDictElement* m_pNext;

    friend class CCDictionary;
};

/**
 * A dictionary keyed by strings or by integers (one kind per dictionary), iterated in insertion
 * order, so a plist's keys come back in file order.
 */
class CCDictionary : public CCObject
{
public:
    enum CCDictType { kCCDictUnknown = 0, kCCDictStr, kCCDictInt };

    CCDictionary();
    virtual ~CCDictionary();

    static CCDictionary* create();
    /** A deep copy of another dictionary. */
    static CCDictionary* createWithDictionary(CCDictionary* srcDict);
    /** A dict plist; NULL and a logged error when missing or malformed. */
    static CCDictionary* createWithContentsOfFile(const char* pFileName);
    /** As createWithContentsOfFile, but returned retained, not autoreleased. */
    static CCDictionary* createWithContentsOfFileThreadSafe(const char* pFileName);

    unsigned int count() const { return (unsigned int)m_elementCount; }
    /** Keys in insertion order: CCString for string keys, CCInteger for integer keys. */
    CCArray* allKeys();
    CCArray* allKeysForObject(CCObject* object);

    CCObject* objectForKey(const std::string& key);
    CCObject* objectForKey(intptr_t key);
    /** The value as a string; an empty string when missing or not a string. */
    const CCString* valueForKey(const std::string& key);
    const CCString* valueForKey(intptr_t key);

    /** Replacing a key keeps its position in the order. */
    void setObject(CCObject* pObject, const std::string& key);
    void setObject(CCObject* pObject, intptr_t key);
    void removeObjectForKey(const std::string& key);
    void removeObjectForKey(intptr_t key);
    void removeObjectsForKeys(CCArray* pKeyArray);
    void removeObjectForElememt(CCDictElement* pElement);
    void removeAllObjects();
    CCObject* randomObject();

    CCDictElement* firstElement() const { return m_pFirst; }
    CCDictType getDictType() const { return m_eDictType; }

    /** Deep copy (see CCArray::copy). */
    virtual CCObject* copy();

private:
    void insertElement(CCDictElement* element);
    void unlinkElement(CCDictElement* element);
    bool checkKeyType(CCDictType type);

    CCDictType m_eDictType;
    std::unordered_map<std::string, CCDictElement*> m_strElements;
    std::unordered_map<intptr_t, CCDictElement*> m_intElements;
    CCDictElement* m_pFirst;
    CCDictElement* m_pLast;
    size_t m_elementCount;
};

/**
 * Iterates in insertion order; the current entry may be removed inside the loop. Everything it
 * declares lives in the loop, so several loops may share one scope and element variable.
 */
#define CCDICT_FOREACH(__dict__, __el__) \
    for (::cocos2d::CCDictElement* __next_##__el__ = \
             ((__el__) = (__dict__) ? (__dict__)->firstElement() : NULL) ? (__el__)->nextElement() : NULL; \
         (__el__) != NULL; \
         (__el__) = __next_##__el__, __next_##__el__ = (__el__) ? (__el__)->nextElement() : NULL)

NS_CC_END

#endif // __CC_DICTIONARY_H__
