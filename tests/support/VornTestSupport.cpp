#include "VornTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace vorntest
{
std::string sourcePath(const std::string& relative)
{
    return std::string(VORN_SOURCE_DIR) + "/" + relative;
}

std::string fixturePath(const std::string& relative)
{
    return sourcePath("tests/fixtures/" + relative);
}

std::string makeTempDir(const std::string& name)
{
    const char* base = getenv("XDG_DATA_HOME");
    std::string root = std::string(base && *base ? base : "/tmp") + "/tmp-" + name;
    std::string command = "rm -rf '" + root + "' && mkdir -p '" + root + "'";
    if (system(command.c_str()) != 0)
    {
        cocos2d::CCLog("vorntest::makeTempDir - unable to make %s", root.c_str());
    }
    return root;
}

void writeFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out << contents;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

cocos2d::CCEGLView* useViewOfSize(float width, float height)
{
    cocos2d::CCEGLView* view = cocos2d::CCEGLView::sharedOpenGLView();
    if (view != NULL)
    {
        view->setFrameSize(width, height);
        view->setDesignResolutionSize(width, height, cocos2d::kResolutionShowAll);
        cocos2d::CCDirector::sharedDirector()->setOpenGLView(view);
    }
    return view;
}

cocos2d::CCTouch* touchAt(float x, float y)
{
    cocos2d::CCTouch* t = new cocos2d::CCTouch();
    t->autorelease();
    t->setTouchInfo(0, x, 320 - y);
    return t;
}

LogCapture::LogCapture()
{
    cocos2d::CCLogSetObserver(&LogCapture::observe, this);
}

LogCapture::~LogCapture()
{
    cocos2d::CCLogSetObserver(NULL, NULL);
}

void LogCapture::observe(const char* line, void* self)
{
    static_cast<LogCapture*>(self)->m_lines.push_back(line);
}

bool LogCapture::contains(const std::string& text) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
    {
        if (m_lines[i].find(text) != std::string::npos)
        {
            return true;
        }
    }
    return false;
}
} // namespace vorntest
