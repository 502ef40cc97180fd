// Letter case per character through LCMapStringEx with the locale's own (linguistic) rules, so
// that a Turkish user's "i" becomes "İ". A character beyond U+FFFF goes to the call as its
// surrogate pair; a mapping that is not exactly one character keeps the character as it was.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/Text.h"

namespace qm::platform {

class Win32CaseRules : public text::CaseRules {
  public:
    // The user's own locale.
    static std::shared_ptr<const Win32CaseRules> user();
    // The locale-independent rules.
    static std::shared_ptr<const Win32CaseRules> invariant();
    // A named locale ("tr-TR"); nullptr when the system does not know it.
    static std::shared_ptr<const Win32CaseRules> named(const std::string& localeName);

    text::Char lower(text::Char c) const override;
    text::Char upper(text::Char c) const override;

  private:
    explicit Win32CaseRules(std::optional<std::wstring> locale) : m_locale(std::move(locale)) {}
    text::Char map(text::Char c, unsigned long flags) const;

    std::optional<std::wstring> m_locale;  // nullopt: the user's
};

}  // namespace qm::platform
