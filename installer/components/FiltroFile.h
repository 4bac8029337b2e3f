// Which files of a patch folder a copy takes: the extension filter of the component installation.
#pragma once

#include <string>

namespace talvo {

// The extension of a file name: everything after its first dot, in lower case (b.dll for
// a.b.dll); the whole name in lower case when it has no dot.
std::string EstensioneFile(const std::string& nome);

// Whether the filter takes the file. The filter is a list of lower-case extensions, each followed
// by an underscore ("dll_ocx_"); an empty filter takes every file. An extension is taken only when
// it is one whole entry of the list, so "ll" or "cx" are not taken by "dll_ocx_".
bool FileDelFiltro(const std::string& nome, const std::string& tipiFile);

}  // namespace talvo
