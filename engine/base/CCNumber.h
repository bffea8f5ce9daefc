#ifndef __CC_NUMBER_H__
#define __CC_NUMBER_H__

#include "CCObject.h"

NS_CC_BEGIN

// Boxed numbers for containers.

class CCInteger : public CCObject
{
public:
    CCInteger(int v) : m_nValue(v) {}
    static CCInteger* create(int v) { CCInteger* p = new CCInteger(v); p->autorelease(); return p; }
    int getValue() const { return m_nValue; }
    void setValue(int v) { m_nValue = v; }
    virtual CCObject* copy() { return new CCInteger(m_nValue); }
private:
    int m_nValue;
};

class CCFloat : public CCObject
{
public:
    CCFloat(float v) : m_fValue(v) {}
    static CCFloat* create(float v) { CCFloat* p = new CCFloat(v); p->autorelease(); return p; }
    float getValue() const { return m_fValue; }
    void setValue(float v) { m_fValue = v; }
    virtual CCObject* copy() { return new CCFloat(m_fValue); }
private:
    float m_fValue;
};

class CCDouble : public CCObject
{
public:
    CCDouble(double v) : m_dValue(v) {}
    static CCDouble* create(double v) { CCDouble* p = new CCDouble(v); p->autorelease(); return p; }
    double getValue() const { return m_dValue; }
    virtual CCObject* copy() { return new CCDouble(m_dValue); }
private:
    double m_dValue;
};

class CCBool : public CCObject
{
public:
    CCBool(bool v) : m_bValue(v) {}
    static CCBool* create(bool v) { CCBool* p = new CCBool(v); p->autorelease(); return p; }
    bool getValue() const { return m_bValue; }
    virtual CCObject* copy() { return new CCBool(m_bValue); }
private:
    bool m_bValue;
};

NS_CC_END

#endif // __CC_NUMBER_H__
