#include "platform/StandardStreams.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

namespace plovan {

void useBinaryStandardStreams()
{
#if defined(Q_OS_WIN)
    for (std::FILE *stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
#endif
}

} // namespace plovan
