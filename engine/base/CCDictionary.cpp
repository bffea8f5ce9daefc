#include "CCDictionary.h"

#include "CCNumber.h"
#include "../support/CCPlistParser.h"

#include <cstdlib>

NS_CC_BEGIN

CCDictElement::CCDictElement(const std::string& strKey, intptr_t iKey, CCObject* pObject)
    : m_strKey(strKey)
    , m_iKey(iKey)
    , m_pObject(pObject)
    , m_pPrev(NULL)
    , m_pNext(NULL)
{
}

CCDictElement::~CCDictElement() {}

CCDictionary::CCDictionary()
    : m_eDictType(kCCDictUnknown)
    , m_pFirst(NULL)
    , m_pLast(NULL)
    , m_elementCount(0)
{
}

CCDictionary::~CCDictionary()
{
    removeAllObjects();
}

CCDictionary* CCDictionary::create()
{
    CCDictionary* pRet = new CCDictionary();
    pRet->autorelease();
    return pRet;
}

CCDictionary* CCDictionary::createWithDictionary(CCDictionary* srcDict)
{
    if (!srcDict)
    {
        return NULL;
    }
    CCDictionary* pRet = (CCDictionary*)srcDict->copy();
    pRet->autorelease();
    return pRet;
}

CCDictionary* CCDictionary::createWithContentsOfFile(const char* pFileName)
{
    CCDictionary* pRet = createWithContentsOfFileThreadSafe(pFileName);
    if (pRet)
    {
        pRet->autorelease();
    }
    return pRet;
}

CCDictionary* CCDictionary::createWithContentsOfFileThreadSafe(const char* pFileName)
{
    return CCPlistParser::dictionaryWithContentsOfFile(pFileName);
}

bool CCDictionary::checkKeyType(CCDictType type)
{
    if (m_eDictType == kCCDictUnknown)
    {
        m_eDictType = type;
    }
    if (m_eDictType != type)
    {
        CCLog("CCDictionary - a dictionary holds either string keys or integer keys, not both");
        return false;
    }
    return true;
}

void CCDictionary::insertElement(CCDictElement* element)
{
    element->m_pPrev = m_pLast;
    element->m_pNext = NULL;
    if (m_pLast)
    {
        m_pLast->m_pNext = element;
    }
    else
    {
        m_pFirst = element;
    }
    m_pLast = element;
    ++m_elementCount;
}

void CCDictionary::unlinkElement(CCDictElement* element)
{
    if (element->m_pPrev)
    {
        element->m_pPrev->m_pNext = element->m_pNext;
    }
    else
    {
        m_pFirst = element->m_pNext;
    }
    if (element->m_pNext)
    {
        element->m_pNext->m_pPrev = element->m_pPrev;
    }
    else
    {
        m_pLast = element->m_pPrev;
    }
    --m_elementCount;
}

CCArray* CCDictionary::allKeys()
{
    CCArray* keys = CCArray::createWithCapacity((unsigned int)m_elementCount);
    for (CCDictElement* e = m_pFirst; e; e = e->m_pNext)
    {
        if (m_eDictType == kCCDictInt)
        {
            keys->addObject(CCInteger::create((int)e->m_iKey));
        }
        else
        {
            keys->addObject(CCString::create(e->m_strKey));
        }
    }
    return keys;
}

CCArray* CCDictionary::allKeysForObject(CCObject* object)
{
    CCArray* keys = CCArray::create();
    for (CCDictElement* e = m_pFirst; e; e = e->m_pNext)
    {
        if (e->m_pObject == object || (object && e->m_pObject->isEqual(object)))
        {
            if (m_eDictType == kCCDictInt)
            {
                keys->addObject(CCInteger::create((int)e->m_iKey));
            }
            else
            {
                keys->addObject(CCString::create(e->m_strKey));
            }
        }
    }
    return keys;
}

CCObject* CCDictionary::objectForKey(const std::string& key)
{
    if (m_eDictType != kCCDictStr)
    {
        return NULL;
    }
    std::unordered_map<std::string, CCDictElement*>::const_iterator it = m_strElements.find(key);
    return it == m_strElements.end() ? NULL : it->second->m_pObject;
}

CCObject* CCDictionary::objectForKey(intptr_t key)
{
    if (m_eDictType != kCCDictInt)
    {
        return NULL;
    }
    std::unordered_map<intptr_t, CCDictElement*>::const_iterator it = m_intElements.find(key);
    return it == m_intElements.end() ? NULL : it->second->m_pObject;
}

static const CCString* stringOrEmpty(CCObject* object)
{
    CCString* str = dynamic_cast<CCString*>(object);
    if (str)
    {
        return str;
    }
    return CCString::create("");
}

const CCString* CCDictionary::valueForKey(const std::string& key)
{
    return stringOrEmpty(objectForKey(key));
}

const CCString* CCDictionary::valueForKey(intptr_t key)
{
    return stringOrEmpty(objectForKey(key));
}

void CCDictionary::setObject(CCObject* pObject, const std::string& key)
{
    if (!pObject || !checkKeyType(kCCDictStr))
    {
        return;
    }
    pObject->retain();
    std::unordered_map<std::string, CCDictElement*>::iterator it = m_strElements.find(key);
    if (it != m_strElements.end())
    {
        CCObject* old = it->second->m_pObject;
        it->second->m_pObject = pObject;
        old->release();
        return;
    }
    CCDictElement* element = new CCDictElement(key, 0, pObject);
    m_strElements[key] = element;
    insertElement(element);
}

void CCDictionary::setObject(CCObject* pObject, intptr_t key)
{
    if (!pObject || !checkKeyType(kCCDictInt))
    {
        return;
    }
    pObject->retain();
    std::unordered_map<intptr_t, CCDictElement*>::iterator it = m_intElements.find(key);
    if (it != m_intElements.end())
    {
        CCObject* old = it->second->m_pObject;
        it->second->m_pObject = pObject;
        old->release();
        return;
    }
    CCDictElement* element = new CCDictElement("", key, pObject);
    m_intElements[key] = element;
    insertElement(element);
}

void CCDictionary::removeObjectForKey(const std::string& key)
{
    if (m_eDictType != kCCDictStr)
    {
        return;
    }
    std::unordered_map<std::string, CCDictElement*>::iterator it = m_strElements.find(key);
    if (it != m_strElements.end())
    {
        removeObjectForElememt(it->second);
    }
}

void CCDictionary::removeObjectForKey(intptr_t key)
{
    if (m_eDictType != kCCDictInt)
    {
        return;
    }
    std::unordered_map<intptr_t, CCDictElement*>::iterator it = m_intElements.find(key);
    if (it != m_intElements.end())
    {
        removeObjectForElememt(it->second);
    }
}

void CCDictionary::removeObjectsForKeys(CCArray* pKeyArray)
{
    CCObject* key = NULL;
    CCARRAY_FOREACH(pKeyArray, key)
    {
        CCString* str = dynamic_cast<CCString*>(key);
        CCInteger* num = dynamic_cast<CCInteger*>(key);
        if (str)
        {
            removeObjectForKey(str->m_sString);
        }
        else if (num)
        {
            removeObjectForKey((intptr_t)num->getValue());
        }
    }
}

void CCDictionary::removeObjectForElememt(CCDictElement* pElement)
{
    if (!pElement)
    {
        return;
    }
    if (m_eDictType == kCCDictStr)
    {
        m_strElements.erase(pElement->m_strKey);
    }
    else
    {
        m_intElements.erase(pElement->m_iKey);
    }
    unlinkElement(pElement);
    CCObject* object = pElement->m_pObject;
    delete pElement;
    object->release();
}

void CCDictionary::removeAllObjects()
{
    // Detach everything before releasing: a released object may reach back into the dictionary.
    CCDictElement* element = m_pFirst;
    m_pFirst = m_pLast = NULL;
    m_elementCount = 0;
    m_strElements.clear();
    m_intElements.clear();
    while (element)
    {
        CCDictElement* next = element->m_pNext;
        CCObject* object = element->m_pObject;
        delete element;
        object->release();
        element = next;
    }
}

CCObject* CCDictionary::randomObject()
{
    if (m_elementCount == 0)
    {
        return NULL;
    }
    size_t index = (size_t)(rand() & 0x7FFF) % m_elementCount;
    CCDictElement* e = m_pFirst;
    while (index-- > 0)
    {
        e = e->m_pNext;
    }
    return e->m_pObject;
}

CCObject* CCDictionary::copy()
{
    CCDictionary* pRet = new CCDictionary();
    for (CCDictElement* e = m_pFirst; e; e = e->m_pNext)
    {
        CCObject* copied = e->m_pObject->copy();
        if (m_eDictType == kCCDictInt)
        {
            pRet->setObject(copied, e->m_iKey);
        }
        else
        {
            pRet->setObject(copied, e->m_strKey);
        }
        copied->release();
    }
    return pRet;
}

NS_CC_END
