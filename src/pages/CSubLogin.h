#pragma once
// Page 18: the registration-server login.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubLogin : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTemplate = 145;
    static constexpr int kTitle = 1356;
    static constexpr int kNote = 1290;
    static constexpr int kLoginTypeLabel = 1291;
    static constexpr int kLoginType = 1268;
    static constexpr int kIdLabel = 1292;
    static constexpr int kId = 1019;
    static constexpr int kPasswordLabel = 1293;
    static constexpr int kPassword = 1021;
    static constexpr int kBack = 1047;
    static constexpr int kNext = 1048;
    static constexpr int kHome = 1046;  // hidden and disabled

    explicit CSubLogin(QWidget* parent = nullptr);
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kHome; }

private:
    void LoadPageTexts(const QString& langPath) override;

    QString textMessage1_;
};

}  // namespace orvanta::pages
