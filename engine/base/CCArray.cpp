#include "CCArray.h"

#include "../support/CCPlistParser.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>

NS_CC_BEGIN

CCArray::CCArray() {}

CCArray::~CCArray()
{
    removeAllObjects();
}

CCArray* CCArray::create()
{
    CCArray* pArray = new CCArray();
    pArray->autorelease();
    return pArray;
}

CCArray* CCArray::create(CCObject* pObject, ...)
{
    CCArray* pArray = create();
    if (!pObject)
    {
        return pArray;
    }
    pArray->addObject(pObject);
    va_list args;
    va_start(args, pObject);
    CCObject* i = va_arg(args, CCObject*);
    while (i)
    {
        pArray->addObject(i);
        i = va_arg(args, CCObject*);
    }
    va_end(args);
    return pArray;
}

CCArray* CCArray::createWithObject(CCObject* pObject)
{
    CCArray* pArray = create();
    pArray->addObject(pObject);
    return pArray;
}

CCArray* CCArray::createWithCapacity(unsigned int capacity)
{
    CCArray* pArray = create();
    pArray->initWithCapacity(capacity);
    return pArray;
}

CCArray* CCArray::createWithArray(CCArray* otherArray)
{
    CCArray* pArray = create();
    pArray->initWithArray(otherArray);
    return pArray;
}

CCArray* CCArray::createWithContentsOfFile(const char* pFileName)
{
    CCArray* pRet = createWithContentsOfFileThreadSafe(pFileName);
    if (pRet)
    {
        pRet->autorelease();
    }
    return pRet;
}

CCArray* CCArray::createWithContentsOfFileThreadSafe(const char* pFileName)
{
    return CCPlistParser::arrayWithContentsOfFile(pFileName);
}

bool CCArray::init()
{
    removeAllObjects();
    return true;
}

bool CCArray::initWithCapacity(unsigned int capacity)
{
    removeAllObjects();
    m_data.reserve(capacity);
    return true;
}

bool CCArray::initWithArray(CCArray* otherArray)
{
    removeAllObjects();
    if (otherArray)
    {
        addObjectsFromArray(otherArray);
    }
    return true;
}

unsigned int CCArray::indexOfObject(CCObject* object) const
{
    std::vector<CCObject*>::const_iterator it = std::find(m_data.begin(), m_data.end(), object);
    return it == m_data.end() ? CC_INVALID_INDEX : (unsigned int)(it - m_data.begin());
}

CCObject* CCArray::objectAtIndex(unsigned int index) const
{
    if (index >= m_data.size())
    {
        CCLog("CCArray::objectAtIndex - index %u out of range (count %u)", index, (unsigned int)m_data.size());
        return NULL;
    }
    return m_data[index];
}

CCObject* CCArray::lastObject() const
{
    return m_data.empty() ? NULL : m_data.back();
}

CCObject* CCArray::randomObject() const
{
    if (m_data.empty())
    {
        return NULL;
    }
    return m_data[(size_t)(rand() & 0x7FFF) % m_data.size()];
}

bool CCArray::containsObject(CCObject* object) const
{
    return std::find(m_data.begin(), m_data.end(), object) != m_data.end();
}

bool CCArray::isEqualToArray(CCArray* pOtherArray)
{
    if (!pOtherArray || pOtherArray->count() != count())
    {
        return false;
    }
    for (unsigned int i = 0; i < count(); ++i)
    {
        if (!m_data[i]->isEqual(pOtherArray->m_data[i]))
        {
            return false;
        }
    }
    return true;
}

void CCArray::addObject(CCObject* object)
{
    if (!object)
    {
        CCLog("CCArray::addObject - object is NULL");
        return;
    }
    object->retain();
    m_data.push_back(object);
}

void CCArray::addObjectsFromArray(CCArray* otherArray)
{
    if (!otherArray || otherArray == this)
    {
        if (otherArray == this)
        {
            std::vector<CCObject*> copy = m_data;
            for (size_t i = 0; i < copy.size(); ++i)
            {
                addObject(copy[i]);
            }
        }
        return;
    }
    for (size_t i = 0; i < otherArray->m_data.size(); ++i)
    {
        addObject(otherArray->m_data[i]);
    }
}

void CCArray::insertObject(CCObject* object, unsigned int index)
{
    if (!object)
    {
        CCLog("CCArray::insertObject - object is NULL");
        return;
    }
    if (index > m_data.size())
    {
        index = (unsigned int)m_data.size();
    }
    object->retain();
    m_data.insert(m_data.begin() + index, object);
}

void CCArray::removeLastObject(bool bReleaseObj)
{
    if (m_data.empty())
    {
        return;
    }
    CCObject* object = m_data.back();
    m_data.pop_back();
    if (bReleaseObj)
    {
        object->release();
    }
}

void CCArray::removeObject(CCObject* object, bool bReleaseObj)
{
    unsigned int index = indexOfObject(object);
    if (index != CC_INVALID_INDEX)
    {
        removeObjectAtIndex(index, bReleaseObj);
    }
}

void CCArray::removeObjectAtIndex(unsigned int index, bool bReleaseObj)
{
    if (index >= m_data.size())
    {
        return;
    }
    CCObject* object = m_data[index];
    m_data.erase(m_data.begin() + index);
    if (bReleaseObj)
    {
        object->release();
    }
}

void CCArray::removeObjectsInArray(CCArray* otherArray)
{
    if (!otherArray)
    {
        return;
    }
    std::vector<CCObject*> others = otherArray->m_data;
    for (size_t i = 0; i < others.size(); ++i)
    {
        removeObject(others[i]);
    }
}

void CCArray::removeAllObjects()
{
    // Swap first: releasing an element may reach back into this array.
    std::vector<CCObject*> old;
    old.swap(m_data);
    for (size_t i = 0; i < old.size(); ++i)
    {
        old[i]->release();
    }
}

void CCArray::fastRemoveObject(CCObject* object)
{
    unsigned int index = indexOfObject(object);
    if (index != CC_INVALID_INDEX)
    {
        fastRemoveObjectAtIndex(index);
    }
}

void CCArray::fastRemoveObjectAtIndex(unsigned int index)
{
    if (index >= m_data.size())
    {
        return;
    }
    CCObject* object = m_data[index];
    m_data[index] = m_data.back();
    m_data.pop_back();
    object->release();
}

void CCArray::exchangeObject(CCObject* object1, CCObject* object2)
{
    unsigned int index1 = indexOfObject(object1);
    unsigned int index2 = indexOfObject(object2);
    if (index1 != CC_INVALID_INDEX && index2 != CC_INVALID_INDEX)
    {
        exchangeObjectAtIndex(index1, index2);
    }
}

void CCArray::exchangeObjectAtIndex(unsigned int index1, unsigned int index2)
{
    if (index1 < m_data.size() && index2 < m_data.size())
    {
        std::swap(m_data[index1], m_data[index2]);
    }
}

void CCArray::replaceObjectAtIndex(unsigned int uIndex, CCObject* pObject, bool bReleaseObject)
{
    if (uIndex >= m_data.size() || !pObject)
    {
        return;
    }
    pObject->retain();
    CCObject* old = m_data[uIndex];
    m_data[uIndex] = pObject;
    if (bReleaseObject)
    {
        old->release();
    }
}

void CCArray::reverseObjects()
{
    std::reverse(m_data.begin(), m_data.end());
}

CCObject* CCArray::copy()
{
    CCArray* pArray = new CCArray();
    pArray->m_data.reserve(m_data.size());
    for (size_t i = 0; i < m_data.size(); ++i)
    {
        // copy() hands back a retained object: the array keeps that reference.
        pArray->m_data.push_back(m_data[i]->copy());
    }
    return pArray;
}

NS_CC_END
