#ifndef __VORN_PLAYER_H__
#define __VORN_PLAYER_H__

#include "VornActor.h"

#include <string>

NS_CC_BEGIN

class VornPlayerInputBase;

/**
 * The fighter the user controls: its moves come from a player input instead of a script. It keeps
 * the score with a combo count and combo points, counts attacks tried and attacks that landed,
 * earns experience for knock-outs and keeps its state in the checkpoint store.
 *
 * Ownership: the player retains its input and drops it when it goes. The input only points back
 * at the player while it is connected.
 */
class VornPlayer : public VornActor
{
public:
    /** Seconds a combo lasts after its last hit. */
    static const float kScoreComboTime;

    VornPlayer();
    virtual ~VornPlayer();

    /** Joins the player list, initialises the actor without a descriptor, keeps the input, registers the checkpoint values. */
    bool initWithInput(VornPlayerInputBase* input);

    // Overrides
    virtual void reset();
    virtual void doHeavyAttack();
    virtual void onHitActor(VornActionDesc* action, VornActor* target, CCPoint point, float value);
    /** Every blow, the enemies' included: one that knocks the player down breaks the combo. */
    virtual bool doTakeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType, bool force);
    virtual void onActionChanged(VornActionDesc* action);
    virtual int getCharacterType() { return kCharacter_Player; }
    virtual void onActionCompleted(VornActionDesc* action);
    virtual void tick(float dt);

    /** Damage through the ordinary path; a hit that floors the player breaks its combo. */
    virtual bool takeDamage(float amount, CCPoint hitPoint, CCPoint direction, tVornAttackType attackType);

    virtual const std::string& getPlayerDesc() { return m_sPlayerDesc; }
    /** The same name again (with a descriptor held) only resets; another loads through the game's cache. */
    virtual void setPlayerDesc(const std::string& name);
    virtual float getScoreComboTimer() { return m_fScoreComboTimer; }
    virtual void setScoreComboTimer(float t) { m_fScoreComboTimer = t; }
    virtual float getScoreComboTime() { return m_fScoreComboTime; }
    virtual void setScoreComboTime(float t) { m_fScoreComboTime = t; }
    virtual int getCombo() { return m_nCombo; }
    /** Starting a combo (from below 1) clears the combo points first; emits ComboSignal on change. */
    virtual void setCombo(int combo);
    virtual int getComboPoints() { return m_nComboPoints; }
    /** Emits ComboPointsSignal on change. */
    virtual void setComboPoints(int points);
    virtual int getScore() { return m_nScore; }
    /** Emits ScoreSignal on change. */
    virtual void setScore(int score);
    virtual int getKOs() { return m_nKOs; }
    virtual void setKOs(int kos) { m_nKOs = kos; }
    virtual VornPlayerInputBase* getInput() { return m_pInput; }
    /** Retains the new input and releases the old one. */
    virtual void setInput(VornPlayerInputBase* input);
    virtual bool getInputConnected() { return m_bInputConnected; }
    /** Connects or disconnects the input's signals; nothing when already in that state. */
    virtual void setInputConnected(bool connected);
    virtual int getAttacksAttempted() { return m_nAttacksAttempted; }
    virtual void setAttacksAttempted(int n) { m_nAttacksAttempted = n; }
    virtual int getAttacksHitSomething() { return m_nAttacksHitSomething; }
    virtual void setAttacksHitSomething(int n) { m_nAttacksHitSomething = n; }
    virtual bool getKillRequested() { return m_bKillRequested; }
    /** The next frame knocks the player out through the ordinary damage path. */
    virtual void setKillRequested(bool requested) { m_bKillRequested = requested; }

    /** 1 when the input connects, 0 when it disconnects. */
    virtual Signal<int>& getInputConnectedSignal() { return m_inputConnectedSignal; }
    virtual void setInputConnectedSignal(const Signal<int>& s) { m_inputConnectedSignal = s; }
    virtual Signal<VornPlayer*, int>& getScoreSignal() { return m_scoreSignal; }
    virtual void setScoreSignal(const Signal<VornPlayer*, int>& s) { m_scoreSignal = s; }
    virtual Signal<VornPlayer*, int>& getComboSignal() { return m_comboSignal; }
    virtual void setComboSignal(const Signal<VornPlayer*, int>& s) { m_comboSignal = s; }
    virtual Signal<VornPlayer*, int>& getComboPointsSignal() { return m_comboPointsSignal; }
    virtual void setComboPointsSignal(const Signal<VornPlayer*, int>& s) { m_comboPointsSignal = s; }
    /** Which player's menus this player drives (0 to 3). */
    virtual int getInputIndex() { return m_nInputIndex; }
    virtual void setInputIndex(int index) { m_nInputIndex = index; }

    void connectInputSignals();
    void disconnectInputSignals();
    void resetScore();
    /** Attacks that landed per attack tried; 0 before the first attempt. */
    float getHitAccuracy();
    /** Whether the player is holding someone (a Grab action on its stack). */
    bool isGrabbing();
    /** Moves him back inside the view when any of his body stands past its sides or bottom. */
    void keepInView();

    // Checkpoint values that need more than a plain accessor.
    /** Puts the player at the point, lifted onto the screen's bottom edge when below it or behind scenery. */
    void restoreBasePosition(const CCPoint& position);
    /** Saves the character's progression; always true. */
    bool saveCheckpointProgress();
    void ignoreCheckpointFlag(const bool& value) { CC_UNUSED_PARAM(value); }

protected:
    void onLevelStarted();
    void connectGameSignals();
    void disconnectGameSignals();
    void registerRestartValues();
    void removeRestartValues();
    /** The character's full health as played. */
    float fullHealth();

    std::string m_sPlayerDesc;
    float m_fScoreComboTimer;
    float m_fScoreComboTime;
    int m_nCombo;
    int m_nComboPoints;
    int m_nScore;
    int m_nKOs;
    VornPlayerInputBase* m_pInput;  ///< retained
    bool m_bInputConnected;
    int m_nAttacksAttempted;
    int m_nAttacksHitSomething;
    bool m_bKillRequested;
    Signal<int> m_inputConnectedSignal;
    Signal<VornPlayer*, int> m_scoreSignal;
    Signal<VornPlayer*, int> m_comboSignal;
    Signal<VornPlayer*, int> m_comboPointsSignal;
    int m_nInputIndex;

private:
    GameManager* m_pSignalSource;  ///< the game manager whose signals this player joined
    bool m_bRestartValuesRegistered;
};

NS_CC_END

#endif // __VORN_PLAYER_H__
