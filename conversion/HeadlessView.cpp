#include "conversion/HeadlessView.h"

#include <utility>

namespace plovan {

void HeadlessView::setImageDataText(const QString &text)
{
    // Refill the buffer of the previous text rather than adopting the new one: Create on
    // the same picture grows the text to the same length again, and writing into memory
    // that is already ours costs a fraction of growing into freshly mapped pages.
    // resize(0) keeps the capacity, and a buffer still shared with a copy is left to the
    // copy. Emptying first would lose a text set to itself, which changes nothing anyway.
    if (&text == &text_)
        return;
    text_.resize(0);
    text_.append(text);
}

QString HeadlessView::takeText()
{
    return std::exchange(text_, QString());
}

} // namespace plovan
