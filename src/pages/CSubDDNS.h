// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 10: the camera's dynamic-DNS client.
#include "camera/record/FieldCatalogue.h"
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubDDNS : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { ConfirmSave = 1 };
    static constexpr int kEnable = 1054;
    static constexpr int kProvider = 1122;
    static constexpr int kHostName = 1123;
    static constexpr int kUserName = 1124;
    static constexpr int kPassword = 1125;
    static constexpr int kLabel = 1286;  // 1286 to 1289: provider, host, user, password
    static constexpr int kBack = 1055;
    static constexpr int kNext = 1056;
    static constexpr int kTitle = 1242;

    static constexpr int kHostLimit = camera::kDdnsHostChars;
    static constexpr int kUserLimit = camera::kDdnsUserChars;
    static constexpr int kPasswordLimit = camera::kDdnsPasswordChars;

    explicit CSubDDNS(QWidget* parent = nullptr);
    void Prepare() override;
    // Stores the five fields, then leads to the summary or asks to save now.
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kUpnp; }

private:
    void FillProviders(int count);
};

}  // namespace orvanta::pages
