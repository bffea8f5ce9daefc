#ifndef __RESTART_DELEGATE_H__
#define __RESTART_DELEGATE_H__

#include "CCGeometry.h"
#include "CCObject.h"

#include <functional>
#include <string>
#include <type_traits>

NS_CC_BEGIN

/**
 * One named value that comes back at a checkpoint: read from its owner, snapshotted in memory
 * (store) or in the saved settings (save), written back to its owner (restore, load). The owner
 * removes it by key before it goes, so the delegate holds no reference on the owner.
 */
class RestartDelegateBase : public CCObject
{
public:
    virtual void store() = 0;
    virtual void restore() = 0;
    virtual void save() = 0;
    virtual void load() = 0;

    virtual std::string getKey() { return m_key; }
    virtual void setKey(const std::string& key) { m_key = key; }

protected:
    std::string m_key;
};

// Saved-settings access and log text per value type; a point is kept as key + "_X" and "_Y".
void restartWriteValue(const std::string& key, bool value);
void restartWriteValue(const std::string& key, float value);
void restartWriteValue(const std::string& key, int value);
void restartWriteValue(const std::string& key, const std::string& value);
void restartWriteValue(const std::string& key, const CCPoint& value);
void restartReadValue(const std::string& key, bool& value);
void restartReadValue(const std::string& key, float& value);
void restartReadValue(const std::string& key, int& value);
void restartReadValue(const std::string& key, std::string& value);
void restartReadValue(const std::string& key, CCPoint& value);
/** Logs "Restart - <verb> <key>: <value>". */
void restartLogValue(const char* verb, const std::string& key, bool value);
void restartLogValue(const char* verb, const std::string& key, float value);
void restartLogValue(const char* verb, const std::string& key, int value);
void restartLogValue(const char* verb, const std::string& key, const std::string& value);
void restartLogValue(const char* verb, const std::string& key, const CCPoint& value);
void restartLogRestored(const std::string& key);

/** A restart value of type T: bool, float, int, std::string or CCPoint. */
template <typename T>
class RestartDelegate : public RestartDelegateBase
{
public:
    typedef std::function<T()> Getter;
    typedef std::function<void(const T&)> Setter;

    RestartDelegate() : m_value() {}

    /**
     * A delegate reading through object->getter() and writing through object->setter(value).
     * The setter may take T by value or by const reference (a string value may also go to a
     * setter taking const char*).
     */
    template <class O, class G, class S>
    static RestartDelegate* create(const char* key, O* object, G getter, S setter)
    {
        RestartDelegate* delegate = new RestartDelegate();
        delegate->m_key = key ? key : "";
        delegate->m_getter = [object, getter]() -> T { return T((object->*getter)()); };
        delegate->m_setter = [object, setter](const T& value) { callSetter(object, setter, value); };
        delegate->autorelease();
        return delegate;
    }

    /** A delegate over two callables. */
    static RestartDelegate* create(const char* key, const Getter& getter, const Setter& setter)
    {
        RestartDelegate* delegate = new RestartDelegate();
        delegate->m_key = key ? key : "";
        delegate->m_getter = getter;
        delegate->m_setter = setter;
        delegate->autorelease();
        return delegate;
    }

    virtual void store()
    {
        if (m_getter)
        {
            m_value = m_getter();
        }
    }

    virtual void restore()
    {
        if (m_setter)
        {
            m_setter(m_value);
        }
        restartLogRestored(m_key);
    }

    virtual void save()
    {
        store();
        restartWriteValue(m_key, m_value);
        restartLogValue("Save", m_key, m_value);
    }

    virtual void load()
    {
        restartReadValue(m_key, m_value);
        restartLogValue("Load", m_key, m_value);
        restore();
    }

    virtual Getter getGetter() { return m_getter; }
    virtual void setGetter(const Getter& getter) { m_getter = getter; }
    virtual Setter getSetter() { return m_setter; }
    virtual void setSetter(const Setter& setter) { m_setter = setter; }
    virtual T getValue() { return m_value; }
    virtual void setValue(const T& value) { m_value = value; }

private:
    template <class O, class S>
    static void callSetter(O* object, S setter, const T& value)
    {
        if constexpr (std::is_invocable<S, O*, const T&>::value)
        {
            (object->*setter)(value);
        }
        else
        {
            (object->*setter)(value.c_str());
        }
    }

    Getter m_getter;
    Setter m_setter;
    T m_value;
};

NS_CC_END

#endif // __RESTART_DELEGATE_H__
