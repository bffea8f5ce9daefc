#include "VornJoystickBackend.h"

#include "VornFakeJoystickSource.h"
#include "VornSdlJoystickSource.h"

#include <algorithm>

namespace
{
struct Slot
{
    Slot() : state(VornJoystickBackend::kSlotEmpty), key(-1) {}
    VornJoystickBackend::SlotState state;
    long long key;
    VornJoystickInfo info;
};

VornJoystickSource* s_source = NULL;
VornFakeJoystickSource* s_fake = NULL;  // s_source when the fake is in use
Slot s_slots[VornJoystickBackend::kSlotCount];
bool s_listStale = false;        // a pad is still to be given a slot
unsigned int s_listReads = 0;

void clearSlots()
{
    for (unsigned int i = 0; i < VornJoystickBackend::kSlotCount; ++i)
    {
        s_slots[i] = Slot();
    }
}

void replaceSource(VornJoystickSource* source, VornFakeJoystickSource* fake)
{
    delete s_source;
    s_source = source;
    s_fake = fake;
    s_listStale = false;
    clearSlots();
}

VornJoystickSource* source()
{
    if (s_source == NULL)
    {
        s_source = new VornSdlJoystickSource();
    }
    return s_source;
}

// Slots never move: a pad that left leaves its slot vacated, and a new pad takes the first empty
// slot (one whose departure has been seen), so a reader never mistakes a new pad for an old one.
// The list is read only when the source says pads came or went.
void refreshAll()
{
    VornJoystickSource* src = source();
    if (!src->takeDevicesChanged() && !s_listStale)
    {
        return;
    }
    s_listStale = false;
    ++s_listReads;
    std::vector<long long> keys;
    src->attachedDevices(keys);
    for (unsigned int i = 0; i < VornJoystickBackend::kSlotCount; ++i)
    {
        Slot& slot = s_slots[i];
        if (slot.state == VornJoystickBackend::kSlotOccupied &&
            std::find(keys.begin(), keys.end(), slot.key) == keys.end())
        {
            src->release(slot.key);
            slot.state = VornJoystickBackend::kSlotVacated;
        }
    }
    for (size_t k = 0; k < keys.size(); ++k)
    {
        bool placed = false;
        for (unsigned int i = 0; i < VornJoystickBackend::kSlotCount && !placed; ++i)
        {
            placed = s_slots[i].state == VornJoystickBackend::kSlotOccupied && s_slots[i].key == keys[k];
        }
        for (unsigned int i = 0; i < VornJoystickBackend::kSlotCount && !placed; ++i)
        {
            Slot& slot = s_slots[i];
            if (slot.state != VornJoystickBackend::kSlotEmpty)
            {
                continue;
            }
            VornJoystickInfo info;
            if (!src->describe(keys[k], info))
            {
                break;
            }
            slot.state = VornJoystickBackend::kSlotOccupied;
            slot.key = keys[k];
            slot.info = info;
            placed = true;
        }
        // No free slot yet (a departure not yet reported), or the pad could not be opened: look again.
        s_listStale = s_listStale || !placed;
    }
}
} // namespace

void VornJoystickBackend::useFakeDevices()
{
    VornFakeJoystickSource* fake = new VornFakeJoystickSource();
    replaceSource(fake, fake);
}

void VornJoystickBackend::useSdlDevices()
{
    replaceSource(new VornSdlJoystickSource(), NULL);
}

void VornJoystickBackend::shutdown()
{
    replaceSource(NULL, NULL);
}

long long VornJoystickBackend::plugFake(const VornJoystickInfo& info)
{
    return s_fake ? s_fake->plug(info) : -1;
}

void VornJoystickBackend::unplugFake(long long id)
{
    if (s_fake)
    {
        s_fake->unplug(id);
    }
}

void VornJoystickBackend::pressFake(long long id, int button, bool pressed)
{
    if (s_fake)
    {
        s_fake->setButton(id, button, pressed);
    }
}

void VornJoystickBackend::moveFake(long long id, int axis, int value)
{
    if (s_fake)
    {
        s_fake->setAxis(id, axis, value);
    }
}

void VornJoystickBackend::hatFake(long long id, unsigned int pov)
{
    if (s_fake)
    {
        s_fake->setHat(id, pov);
    }
}

void VornJoystickBackend::update()
{
    source()->update();
    refreshAll();
}

unsigned int VornJoystickBackend::getListReadCount()
{
    return s_listReads;
}

VornJoystickBackend::SlotState VornJoystickBackend::refreshSlot(unsigned int slot, VornJoystickInfo* info,
                                                                long long* key)
{
    if (slot >= kSlotCount)
    {
        return kSlotEmpty;
    }
    refreshAll();
    const Slot& s = s_slots[slot];
    if (s.state == kSlotOccupied)
    {
        if (info)
        {
            *info = s.info;
        }
        if (key)
        {
            *key = s.key;
        }
    }
    return s.state;
}

bool VornJoystickBackend::readSlot(unsigned int slot, VornJoystickReading& reading)
{
    if (refreshSlot(slot, NULL, NULL) != kSlotOccupied)
    {
        if (slot < kSlotCount && s_slots[slot].state == kSlotVacated)
        {
            s_slots[slot] = Slot();
        }
        return false;
    }
    Slot& s = s_slots[slot];
    if (!source()->read(s.key, reading))
    {
        // Gone between the refresh and the read: this answer is its departure.
        source()->release(s.key);
        s = Slot();
        return false;
    }
    return true;
}

long long VornJoystickBackend::slotKey(unsigned int slot)
{
    if (slot >= kSlotCount || s_slots[slot].state != kSlotOccupied)
    {
        return -1;
    }
    return s_slots[slot].key;
}

bool VornJoystickBackend::nameForKey(long long key, std::string& name)
{
    for (unsigned int i = 0; i < kSlotCount; ++i)
    {
        if (s_slots[i].state == kSlotOccupied && s_slots[i].key == key)
        {
            name = s_slots[i].info.name;
            return true;
        }
    }
    return false;
}
