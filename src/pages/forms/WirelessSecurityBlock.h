// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The security controls that the wireless and access-point pages share: the four WEP lists
// (authentication, key length, key format, key number) with the WEP key, and the WPA
// pre-shared key. Typing in the WEP key field stops at the length the chosen format and key
// length ask for; a key set or pasted is never cut.
#include <QObject>
#include <QStringList>

#include "shell/CSubPage.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace orvanta::pages {

class WirelessSecurityBlock : public QObject {
    Q_OBJECT
public:
    struct Ids {
        int authentication, keyLength, keyFormat, keyNumber, wepKey, preSharedKey;
        int authenticationLabel, keyLengthLabel, keyFormatLabel, keyNumberLabel, preSharedKeyLabel;
        int wepKeyLabel;
    };
    // The two pages word the length and key-number entries differently ("64 bits" or "64",
    // "Key1" or "Key 1"); `initialNumber` -1 leaves the key number unchosen.
    WirelessSecurityBlock(shell::CSubPage* page, Ids ids, const QStringList& lengths,
                          const QStringList& numbers, int initialNumber);

    // The four lists and the key, one row each.
    QGridLayout* WepLayout() const { return wepGrid_; }
    QLabel* PreSharedKeyLabel() const { return preSharedKeyLabel_; }
    QLineEdit* PreSharedKey() const { return preSharedKey_; }
    QComboBox* Authentication() const { return authentication_; }
    QComboBox* KeyLength() const { return keyLength_; }
    QComboBox* KeyFormat() const { return keyFormat_; }
    QComboBox* KeyNumber() const { return keyNumber_; }
    QLineEdit* WepKey() const { return wepKey_; }

    bool HexFormat() const;
    bool LongKey() const;
    void SetWepEnabled(bool enabled);
    void SetWepVisible(bool visible);
    // The WEP key field's typing limit from the format and length chosen now.
    void ApplyKeyLimit();
    // The key numbers as `section`/KeyNumber words them ("Key %1"), else as built.
    void LoadTexts(const char* section);
    // Refuses (and says so, naming the field) a key that would break the camera's request or
    // that IEEE 802.11 does not allow: a WEP key of another length than the chosen format
    // and key length ask for, a pre-shared key that is no pass phrase or raw key.
    bool RefuseWepKey() const;
    bool RefusePreSharedKey() const;

private:
    shell::CSubPage* page_;
    QStringList numbers_;
    QGridLayout* wepGrid_;
    QComboBox* authentication_;
    QComboBox* keyLength_;
    QComboBox* keyFormat_;
    QComboBox* keyNumber_;
    QLineEdit* wepKey_;
    QLabel* wepKeyLabel_;
    QLabel* preSharedKeyLabel_;
    QLineEdit* preSharedKey_;
    std::vector<QWidget*> wepWidgets_;
};

}  // namespace orvanta::pages
