#include "VornFakeJoystickSource.h"

VornFakeJoystickSource::VornFakeJoystickSource() : m_nextKey(1), m_bDevicesChanged(true) {}

long long VornFakeJoystickSource::plug(const VornJoystickInfo& info)
{
    Pad pad;
    pad.info = info;
    const long long key = m_nextKey++;
    m_pads[key] = pad;
    m_bDevicesChanged = true;
    return key;
}

void VornFakeJoystickSource::unplug(long long key)
{
    if (m_pads.erase(key) != 0)
    {
        m_bDevicesChanged = true;
    }
}

bool VornFakeJoystickSource::takeDevicesChanged()
{
    const bool changed = m_bDevicesChanged;
    m_bDevicesChanged = false;
    return changed;
}

void VornFakeJoystickSource::setButton(long long key, int button, bool pressed)
{
    std::map<long long, Pad>::iterator it = m_pads.find(key);
    if (it == m_pads.end() || button < 0 || button >= 32)
    {
        return;
    }
    if (pressed)
    {
        it->second.reading.buttons |= 1u << button;
    }
    else
    {
        it->second.reading.buttons &= ~(1u << button);
    }
}

void VornFakeJoystickSource::setAxis(long long key, int axis, int value)
{
    std::map<long long, Pad>::iterator it = m_pads.find(key);
    if (it == m_pads.end() || axis < 0 || axis >= VornJoystickReading::kMaxAxes)
    {
        return;
    }
    it->second.reading.axes[axis] = value < -32768 ? -32768 : (value > 32767 ? 32767 : value);
}

void VornFakeJoystickSource::setHat(long long key, unsigned int pov)
{
    std::map<long long, Pad>::iterator it = m_pads.find(key);
    if (it != m_pads.end())
    {
        it->second.reading.pov = pov;
    }
}

void VornFakeJoystickSource::attachedDevices(std::vector<long long>& keys)
{
    keys.clear();
    for (std::map<long long, Pad>::iterator it = m_pads.begin(); it != m_pads.end(); ++it)
    {
        keys.push_back(it->first);
    }
}

bool VornFakeJoystickSource::describe(long long key, VornJoystickInfo& info)
{
    std::map<long long, Pad>::iterator it = m_pads.find(key);
    if (it == m_pads.end())
    {
        return false;
    }
    info = it->second.info;
    return true;
}

bool VornFakeJoystickSource::read(long long key, VornJoystickReading& reading)
{
    std::map<long long, Pad>::iterator it = m_pads.find(key);
    if (it == m_pads.end())
    {
        return false;
    }
    reading = it->second.reading;
    return true;
}
