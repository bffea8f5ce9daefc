#ifndef __GAMEPAD_CONFIG_MANAGER_H__
#define __GAMEPAD_CONFIG_MANAGER_H__

#include "CCObject.h"

#include <map>
#include <string>

NS_CC_BEGIN

/** One logical input's button on a pad: its code and, when the pad description gives one, its name. */
struct GamepadButtonInfo
{
    GamepadButtonInfo() : buttonCode(0), hasName(false) {}
    int buttonCode;
    std::string buttonName;
    bool hasName;
};

/** Logical input -> its button on one pad. */
typedef std::map<int, GamepadButtonInfo> GamepadButtonMap;

/**
 * The console pads' button tables, keyed by device hash: the stock codes and names from the pad
 * description file, and one pad's customised codes kept in the user's settings under
 * "GamepadInfo_" keys. The controller configuration screen saves and resets them.
 */
class GamepadConfigManager : public CCObject
{
public:
    static GamepadConfigManager* create();
    /** Loads the stock tables, then the customised pad. */
    bool init();

    /** Reads the pad description file; each pad replaces an earlier table of the same hash. */
    void loadGamepadCodeTables();
    /** The customised pad from the settings, replacing that pad's stock table. */
    void loadCustomGamepadInfo();
    /** Stores the pad's codes in the settings and rebuilds every table. */
    void saveGamepadInfo(unsigned int deviceHash, const GamepadButtonMap& mapping);
    /** Forgets the customised pad and rebuilds the stock tables. */
    void resetCustomGamepadInfo();

    /** NULL when no table has that hash. */
    const GamepadButtonMap* getButtonMap(unsigned int deviceHash) const;
    unsigned int getTableCount() const { return (unsigned int)m_tables.size(); }

    /** The description file of this build's platform. */
    static const char* descriptionFileName();

private:
    std::map<unsigned int, GamepadButtonMap> m_tables;
};

NS_CC_END

#endif // __GAMEPAD_CONFIG_MANAGER_H__
