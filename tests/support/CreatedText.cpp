#include "support/CreatedText.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/ConversionState.h"

namespace plovan::testsupport {

QString logoTextOf(const PictureRef &destPix)
{
    ConversionState state;
    state.pix = makePicture(destPix->Width(), destPix->Height());
    state.destPix = destPix;
    HeadlessView view;
    createLogoText(state, view);
    return view.text();
}

} // namespace plovan::testsupport
