#pragma once

namespace plovan {

// Makes standard input, output and error carry bytes as they are. Windows opens them in
// text mode, which writes every line feed as CR LF and reads CR LF back as a line feed
// and Ctrl+Z as the end: logo data text on standard output would gain a byte a line, and
// one read from standard input would lose some. Elsewhere they already carry bytes as
// they are, and this does nothing. Called once, before anything is read or written.
void useBinaryStandardStreams();

} // namespace plovan
