#ifndef __CC_PLATFORM_MACROS_H__
#define __CC_PLATFORM_MACROS_H__

#include <cstddef>
#include <cstdlib>

// Namespace, memory and property macros shared by the engine and the game.

#define NS_CC_BEGIN namespace cocos2d {
#define NS_CC_END }
#define USING_NS_CC using namespace cocos2d
#define NS_CC_EXT_BEGIN namespace cocos2d { namespace extension {
#define NS_CC_EXT_END }}
#define USING_NS_CC_EXT using namespace cocos2d::extension

#define CC_DLL
#define CC_UNUSED_PARAM(unusedparam) (void)(unusedparam)
#define CC_UNUSED __attribute__((unused))
#define CC_DEPRECATED_ATTRIBUTE __attribute__((deprecated))

#define CC_SAFE_DELETE(p) do { delete (p); (p) = 0; } while (0)
#define CC_SAFE_DELETE_ARRAY(p) do { delete[] (p); (p) = 0; } while (0)
#define CC_SAFE_FREE(p) do { if (p) { free(p); (p) = 0; } } while (0)
#define CC_SAFE_RELEASE(p) do { if (p) { (p)->release(); } } while (0)
#define CC_SAFE_RELEASE_NULL(p) do { if (p) { (p)->release(); (p) = 0; } } while (0)
#define CC_SAFE_RETAIN(p) do { if (p) { (p)->retain(); } } while (0)
#define CC_BREAK_IF(cond) if (cond) break

// Two-phase construction: allocate, init, autorelease; NULL when init fails.
#define CREATE_FUNC(__TYPE__) \
    static __TYPE__* create() \
    { \
        __TYPE__* pRet = new __TYPE__(); \
        if (pRet && pRet->init()) \
        { \
            pRet->autorelease(); \
            return pRet; \
        } \
        delete pRet; \
        return NULL; \
    }

#define NODE_FUNC(__TYPE__) CREATE_FUNC(__TYPE__)

#define CC_PROPERTY_READONLY(varType, varName, funName) \
    protected: varType varName; \
    public: virtual varType get##funName(void);

#define CC_PROPERTY_READONLY_PASS_BY_REF(varType, varName, funName) \
    protected: varType varName; \
    public: virtual const varType& get##funName(void);

#define CC_PROPERTY(varType, varName, funName) \
    protected: varType varName; \
    public: virtual varType get##funName(void); \
    public: virtual void set##funName(varType var);

#define CC_PROPERTY_PASS_BY_REF(varType, varName, funName) \
    protected: varType varName; \
    public: virtual const varType& get##funName(void); \
    public: virtual void set##funName(const varType& var);

#define CC_SYNTHESIZE_READONLY(varType, varName, funName) \
    protected: varType varName; \
    public: virtual varType get##funName(void) const { return varName; }

#define CC_SYNTHESIZE_READONLY_PASS_BY_REF(varType, varName, funName) \
    protected: varType varName; \
    public: virtual const varType& get##funName(void) const { return varName; }

#define CC_SYNTHESIZE(varType, varName, funName) \
    protected: varType varName; \
    public: virtual varType get##funName(void) const { return varName; } \
    public: virtual void set##funName(varType var) { varName = var; }

#define CC_SYNTHESIZE_PASS_BY_REF(varType, varName, funName) \
    protected: varType varName; \
    public: virtual const varType& get##funName(void) const { return varName; } \
    public: virtual void set##funName(const varType& var) { varName = var; }

// Object members: the setter retains the new value and releases the old.
#define CC_SYNTHESIZE_RETAIN(varType, varName, funName) \
    private: varType varName; \
    public: virtual varType get##funName(void) const { return varName; } \
    public: virtual void set##funName(varType var) \
    { \
        if (varName != var) \
        { \
            CC_SAFE_RETAIN(var); \
            CC_SAFE_RELEASE(varName); \
            varName = var; \
        } \
    }

#define CC_RADIANS_TO_DEGREES(__ANGLE__) ((__ANGLE__) * 57.29577951f)
#define CC_DEGREES_TO_RADIANS(__ANGLE__) ((__ANGLE__) * 0.01745329252f)
#define CC_CONTENT_SCALE_FACTOR() 1.0f
#define CC_RECT_PIXELS_TO_POINTS(__rect__) (__rect__)
#define CC_RECT_POINTS_TO_PIXELS(__rect__) (__rect__)
#define CC_POINT_PIXELS_TO_POINTS(__p__) (__p__)
#define CC_POINT_POINTS_TO_PIXELS(__p__) (__p__)
#define CC_SIZE_PIXELS_TO_POINTS(__s__) (__s__)
#define CC_SIZE_POINTS_TO_PIXELS(__s__) (__s__)

#define CC_SWAP(x, y, type) do { type temp = (x); (x) = (y); (y) = temp; } while (0)
#define CCRANDOM_MINUS1_1() ((2.0f * ((float)rand() / RAND_MAX)) - 1.0f)
#define CCRANDOM_0_1() ((float)rand() / RAND_MAX)
#define FLT_EPSILON_CC 1.192092896e-07F

#endif // __CC_PLATFORM_MACROS_H__
