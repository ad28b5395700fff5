#include "core/encoding.h"

#include "core/iconv_converter.h"

#include <algorithm>

namespace qytxt::core {
namespace {

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Both encodings are ASCII supersets, so pure ASCII (most paths, every number) needs no converter.
std::optional<std::string> convertCached(std::string_view input, IconvConverter& converter)
{
    if (isAscii(input))
        return std::string(input);
    return converter.convert(input);
}

} // namespace

ByteSet convertEncoding(std::string_view bytes, const char* from, const char* to)
{
    if (bytes.empty())
        return {};
    IconvConverter converter(from, to);
    return converter.convert(bytes).value_or(ByteSet{});
}

std::optional<Text> utf8ToGbk(std::string_view utf8)
{
    thread_local IconvConverter converter("UTF-8", "GB18030");
    return convertCached(utf8, converter);
}

std::optional<std::string> gbkToUtf8(std::string_view gbk)
{
    thread_local IconvConverter converter("GB18030", "UTF-8");
    return convertCached(gbk, converter);
}

} // namespace qytxt::core
