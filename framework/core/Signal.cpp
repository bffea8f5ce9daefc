#include "Signal.h"

#include "CCGeometry.h"
#include "CCObject.h"

NS_CC_BEGIN

// Every argument form the game emits, built once here so a broken form fails this file first.
template class Signal<>;
template class Signal<CCObject*>;
template class Signal<int>;
template class Signal<bool>;
template class Signal<float>;
template class Signal<CCPoint>;
template class Signal<CCObject*, int>;
template class Signal<CCObject*, CCObject*>;
template class Signal<CCObject*, CCObject*, CCPoint, float>;

NS_CC_END
