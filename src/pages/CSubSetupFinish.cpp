#include "pages/CSubSetupFinish.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "shell/Browser.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

namespace {
template <size_t N>
QString RowText(const char (&field)[N]) {
    std::string_view text = camera::FieldText(field);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

CSubSetupFinish::CSubSetupFinish(QWidget* parent) : CSubPage("CSubSetupFinish", kTemplate, parent) {
    auto* icon = new QLabel(this);
    icon->setObjectName(ControlName(kIcon));
    icon->setPixmap(controls::ArtworkPixmap(128, QSize(48, 48), devicePixelRatioF()));
    auto* grid = new QGridLayout;
    const std::tuple<int, int, const char*> rows[] = {{kAddressLabel, kAddress, "IP Address :"},
                                                      {kCameraIdLabel, kCameraId, "Camera ID :"},
                                                      {kMacLabel, kMac, "MAC Address :"},
                                                      {kInterfaceLabel, kInterface, "Interface :"},
                                                      {kPortLabel, kPort, "Port :"},
                                                      {kStreamPortLabel, kStreamPort, "SPort :"}};
    for (auto [label, field, builtIn] : rows) {
        QLineEdit* edit = MakeEdit(field);
        edit->setReadOnly(true);
        AddRow(grid, MakeLabel(label, builtIn), edit);
    }
    grid->setColumnStretch(1, 1);
    auto* content = new QVBoxLayout;
    content->addWidget(icon, 0, Qt::AlignLeft);
    content->addLayout(grid);
    content->addWidget(MakeLabel(kLinkStatus, "HttpInfo"));
    content->addStretch(1);
    auto* link = MakeButton(kOpenLink, 181, CXButtonXP::kIconLeft, false, "Link");
    auto* finish = MakeButton(kFinish, kIconNext, CXButtonXP::kIconRight, true, "Finish");
    BuildFrame(nullptr, content, nullptr, finish, link);

    connect(link, &QPushButton::clicked, this, [this] { OpenWebPage(WebAddress()); });
    connect(finish, &QPushButton::clicked, this, [this] { Post(nav::kHome); });
}

QString CSubSetupFinish::WebAddress() const {
    return QString("http://%1:%2").arg(RowText(row_.ip), RowText(row_.port));
}

void CSubSetupFinish::Prepare() {
    Control<QLineEdit>(kMac)->setText(RowText(row_.mac));
    Control<QLineEdit>(kAddress)->setText(WebAddress());
    Control<QLineEdit>(kCameraId)->setText(RowText(row_.serial));
    Control<QLineEdit>(kPort)->setText(RowText(row_.port));
    Control<QLineEdit>(kStreamPort)->setText(RowText(row_.streamPort));
    QString link = RowText(row_.descInterface);
    // The later test wins when both words occur.
    if (link.contains("wireless")) Control<QLineEdit>(kInterface)->setText("wireless");
    if (link.contains("ethernet")) Control<QLineEdit>(kInterface)->setText("ethernet");
    Control<QLabel>(kLinkStatus)
        ->setText(settings_->NATStat == 1 ? "Camera is linked  with Server"
                                          : "Camera isn't linked  with Server");
}

void CSubSetupFinish::LoadTexts(const QString& langPath) {
    const std::pair<int, const char*> labels[] = {
        {kAddressLabel, "IP"},          {kCameraIdLabel, "CamID"}, {kMacLabel, "MAC"},
        {kInterfaceLabel, "Interface"}, {kPortLabel, "Port"},      {kStreamPortLabel, "SPort"}};
    for (auto [id, key] : labels)
        Control<QLabel>(id)->setText(Text(langPath, "SetupFinishPage", key));
    Control<QPushButton>(kOpenLink)->setText(Text(langPath, "SetupFinishPage", "BtnLink"));
    Control<QPushButton>(kFinish)->setText(Text(langPath, "Common", "BtnFinish"));
}

}  // namespace orvanta::pages
