#ifndef __HIGH_SCORE_ITEM_H__
#define __HIGH_SCORE_ITEM_H__

#include "CCObject.h"

#include <string>

NS_CC_BEGIN

/** One entry of a high-score table: who scored and how much. */
class HighScoreItem : public CCObject
{
public:
    HighScoreItem() : m_iScore(0) {}

    static HighScoreItem* create(const char* name, int score);

    virtual const std::string& getName() { return m_sName; }
    virtual void setName(const std::string& name) { m_sName = name; }
    virtual int getScore() { return m_iScore; }
    virtual void setScore(int score) { m_iScore = score; }

private:
    std::string m_sName;
    int m_iScore;
};

NS_CC_END

#endif // __HIGH_SCORE_ITEM_H__
