#pragma once

namespace plovan {

// What a screen reader is told of the widgets of Plovan's own, where Qt would tell it of
// a plain widget: the canvases and the preview's picture are pictures (the Graphic role),
// and the text area's text is its content - the logo data text as Copy takes it, without
// the line breaks it shows for the eye. Installed by the widgets' constructors; once is
// enough, and more changes nothing.
void installAccessibleWidgets();

} // namespace plovan
