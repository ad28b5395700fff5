#include "core/iconv_converter.h"

#include <cerrno>
#include <utility>

namespace qytxt::core {

IconvConverter::IconvConverter(const char* from, const char* to) noexcept : m_cd(iconv_open(to, from)) {}

IconvConverter::~IconvConverter()
{
    if (isValid())
        iconv_close(m_cd);
}

IconvConverter::IconvConverter(IconvConverter&& other) noexcept : m_cd(std::exchange(other.m_cd, invalid())) {}

IconvConverter& IconvConverter::operator=(IconvConverter&& other) noexcept
{
    if (this != &other) {
        if (isValid())
            iconv_close(m_cd);
        m_cd = std::exchange(other.m_cd, invalid());
    }
    return *this;
}

std::optional<std::string> IconvConverter::convert(std::string_view input)
{
    if (!isValid())
        return std::nullopt;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // forget any state a failed call left
    std::string output(input.size() + 16, '\0');
    char* in = const_cast<char*>(input.data()); // iconv's signature is not const-correct
    std::size_t inLeft = input.size();
    std::size_t written = 0;
    while (true) {
        char* out = output.data() + written;
        std::size_t outLeft = output.size() - written;
        // The final call with a null input flushes any shift state into the output.
        const std::size_t result =
            inLeft > 0 ? iconv(m_cd, &in, &inLeft, &out, &outLeft) : iconv(m_cd, nullptr, nullptr, &out, &outLeft);
        written = output.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) {
            if (inLeft == 0 && in != nullptr) {
                in = nullptr; // input done: one more round to flush
                continue;
            }
            break;
        }
        if (errno != E2BIG)
            return std::nullopt; // EILSEQ or EINVAL: invalid or truncated input
        output.resize(output.size() + input.size() / 2 + 128);
    }
    output.resize(written);
    return output;
}

} // namespace qytxt::core
