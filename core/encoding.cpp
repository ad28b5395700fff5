#include "core/encoding.h"

#include "core/iconv_converter.h"

#include <algorithm>

namespace qytxt::core {
namespace {

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

ByteSet convertEncoding(std::string_view bytes, const char* from, const char* to)
{
    if (bytes.empty())
        return {};
    IconvConverter converter(from, to);
    return converter.convert(bytes).value_or(ByteSet{});
}

// Both encodings are ASCII supersets, so pure ASCII (most paths, every number) needs no converter,
// and a program that meets only ASCII never loads one: that takes about half a millisecond, a
// tenth of a small merge.
std::optional<Text> utf8ToGbk(std::string_view utf8)
{
    if (isAscii(utf8))
        return Text(utf8);
    thread_local IconvConverter converter("UTF-8", "GB18030");
    return converter.convert(utf8);
}

std::optional<std::string> gbkToUtf8(std::string_view gbk)
{
    if (isAscii(gbk))
        return std::string(gbk);
    thread_local IconvConverter converter("GB18030", "UTF-8");
    return converter.convert(gbk);
}

} // namespace qytxt::core
