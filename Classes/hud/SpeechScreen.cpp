#include "SpeechScreen.h"

#include "CCAnimatingSprite.h"
#include "CCLabelBMFontLocale.h"
#include "GameManager.h"
#include "ccUTF8.h"

NS_CC_BEGIN

const float SpeechScreen::kRevealInterval = 0.02f;

SpeechScreen::SpeechScreen()
    : m_pTextLabel(NULL), m_pHeadSprite(NULL), m_fElapsed(0.0f), m_uShown(0), m_fLabelScale(1.0f),
      m_pSubscribedTo(NULL)
{
}

SpeechScreen::~SpeechScreen()
{
    if (m_pSubscribedTo && GameManager::getInstance() == m_pSubscribedTo)
    {
        m_pSubscribedTo->getGameUpdateSignal().disconnect(this, &SpeechScreen::tick);
    }
}

bool SpeechScreen::init()
{
    registerMemberVariable("textLabel", &m_pTextLabel);
    registerMemberVariable("headSprite", &m_pHeadSprite);
    if (!initWithCCBFile("speech"))
    {
        return false;
    }
    if (m_pTextLabel)
    {
        CCLabelBMFontLocale* locale = dynamic_cast<CCLabelBMFontLocale*>(m_pTextLabel);
        float width = (float)(int)(m_pTextLabel->getScaleX() * m_pTextLabel->getContentSize().width);
        float height = (float)(int)(m_pTextLabel->getScaleY() * m_pTextLabel->getContentSize().height);
        m_pTextLabel->setWidth(width);
        if (locale)
        {
            locale->setLockHeight(height);
        }
        m_fLabelScale = m_pTextLabel->getScale();
        m_pTextLabel->setString("", true);
    }
    if (m_pHeadSprite)
    {
        m_pHeadSprite->setWildcardIsPrefix(true);
    }
    setVisible(false);
    m_pSubscribedTo = GameManager::getInstance();
    if (m_pSubscribedTo)
    {
        m_pSubscribedTo->getGameUpdateSignal().connect(this, &SpeechScreen::tick);
    }
    return true;
}

void SpeechScreen::setText(const char* text)
{
    if (!m_pTextLabel)
    {
        return;
    }
    m_text = cc_utf8_to_utf16(text ? text : "");
    // Lay the whole text out once to learn where its lines break.
    m_pTextLabel->setScale(m_fLabelScale);
    m_pTextLabel->setString(text ? text : "");
    const std::u16string& shown = m_pTextLabel->getDisplayString();
    for (size_t i = 0; i < m_text.size() && i < shown.size(); ++i)
    {
        if (shown[i] == '\n')
        {
            m_text[i] = '\n';
        }
    }
    m_pTextLabel->setString("", true);
    m_uShown = 0;
    m_fElapsed = 0.0f;
}

std::string SpeechScreen::getText()
{
    return cc_utf16_to_utf8(m_text);
}

void SpeechScreen::setHead(const char* name)
{
    if (m_pHeadSprite)
    {
        m_pHeadSprite->setWildcard(name ? name : "");
    }
}

void SpeechScreen::showCharacters(unsigned int count)
{
    if (count > m_text.size())
    {
        count = (unsigned int)m_text.size();
    }
    m_uShown = count;
    // Placed as is: the breaks are already in the text.
    m_pTextLabel->setString(cc_utf16_to_utf8(m_text.substr(0, count)).c_str(), true);
}

void SpeechScreen::tick(float dt)
{
    if (!isOpen() || m_text.empty() || !m_pTextLabel)
    {
        return;
    }
    m_fElapsed += dt;
    unsigned int n = (unsigned int)(m_fElapsed / kRevealInterval);
    if (n != m_uShown || n >= m_text.size())
    {
        showCharacters(n);
    }
}

bool SpeechScreen::finishReveal()
{
    if ((unsigned int)(m_fElapsed / kRevealInterval) >= m_text.size())
    {
        return true;
    }
    if (!isOpen())
    {
        return false;
    }
    m_fElapsed = 999.0f;
    if (m_pTextLabel)
    {
        showCharacters((unsigned int)m_text.size());
    }
    return false;
}

NS_CC_END
