#include "support/CreatedText.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/WindowState.h"

namespace plovan::testsupport {

QString logoTextOf(const PictureRef &destPix)
{
    WindowState state;
    state.pix = makePicture(destPix->Width(), destPix->Height());
    state.destPix = destPix;
    HeadlessView view;
    createLogoText(state, view);
    return view.text();
}

} // namespace plovan::testsupport
