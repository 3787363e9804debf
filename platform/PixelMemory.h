#pragma once

#include <QImage>

namespace plovan {

// An uninitialised image in the storage format. Big pictures get their own mapping with
// transparent huge pages requested: on the machines we run on, the first touch of fresh
// 4 KiB pages costs far more than the work done on them. Throws std::bad_alloc.
QImage allocateStorageImage(int width, int height);

} // namespace plovan
