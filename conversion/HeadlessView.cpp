#include "conversion/HeadlessView.h"

#include <utility>

namespace plovan {

QString HeadlessView::takeText()
{
    return std::exchange(text_, QString());
}

} // namespace plovan
