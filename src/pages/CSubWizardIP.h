#pragma once
// Page 17: the new camera's address on the guided road, with a free address proposed.
#include <cstdint>
#include <vector>

#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubWizardIP : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTemplate = 179;
    static constexpr int kDhcp = 1234;
    static constexpr int kFixed = 1236;
    static constexpr int kAddress = 1227;
    static constexpr int kMask = 1228;
    static constexpr int kGateway = 1229;
    static constexpr int kDns = 1233;
    static constexpr int kAddressLabel = 1278;  // 1278 to 1281
    static constexpr int kTestAddress = 1230;
    static constexpr int kNote = 1282;
    static constexpr int kBack = 1231;
    static constexpr int kNext = 1232;
    static constexpr int kTitle = 1351;

    explicit CSubWizardIP(QWidget* parent = nullptr);
    void LoadTexts(const QString& langPath) override;
    // The free addresses found by the last settings read (may be empty).
    void SetProposals(std::vector<uint32_t> proposals) { proposals_ = std::move(proposals); }
    const std::vector<uint32_t>& Proposals() const { return proposals_; }

private:
    void OnNext();

    std::vector<uint32_t> proposals_;
    QString textMessage1_, textMessage2_, textMessage3_;
};

}  // namespace orvanta::pages
