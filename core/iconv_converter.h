#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace qytxt::core {

// Owns one iconv conversion descriptor. Not for use by two threads at once.
class IconvConverter {
public:
    IconvConverter(const char* from, const char* to) noexcept;
    ~IconvConverter();
    IconvConverter(IconvConverter&& other) noexcept;
    IconvConverter& operator=(IconvConverter&& other) noexcept;
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool isValid() const noexcept { return m_cd != invalid(); }

    // The whole input converted, or nothing when any of it is invalid or truncated.
    std::optional<std::string> convert(std::string_view input);

private:
    static iconv_t invalid() noexcept { return reinterpret_cast<iconv_t>(-1); }
    iconv_t m_cd = invalid();
};

} // namespace qytxt::core
