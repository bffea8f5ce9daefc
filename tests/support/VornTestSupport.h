#ifndef __VORN_TEST_SUPPORT_H__
#define __VORN_TEST_SUPPORT_H__

#include "cocos2d.h"

#include <string>
#include <vector>

namespace vorntest
{
/** An absolute path under tests/fixtures. */
std::string fixturePath(const std::string& relative);
/** An absolute path in the source tree (Resources, content ...). */
std::string sourcePath(const std::string& relative);
/** A fresh empty folder under the test's own temporary area. */
std::string makeTempDir(const std::string& name);
void writeFile(const std::string& path, const std::string& contents);
std::string readFile(const std::string& path);
/** Hands the director a view of width x height (design size the same), for drawing tests. */
cocos2d::CCEGLView* useViewOfSize(float width, float height);
/** An autoreleased touch at a scene point of the 480x320 default view (the view's y runs down). */
cocos2d::CCTouch* touchAt(float x, float y);

/** Collects every CCLog line while alive. */
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    const std::vector<std::string>& lines() const { return m_lines; }
    bool contains(const std::string& text) const;
    void clear() { m_lines.clear(); }

private:
    static void observe(const char* line, void* self);
    std::vector<std::string> m_lines;
};
} // namespace vorntest

#endif
