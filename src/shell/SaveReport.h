// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A save's outcome in the user's words: which pages the camera took, and which settings it did
// not keep when they were read back, each named by its label as on the page it is typed on.
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <string>

#include "workflow/Save.h"

namespace orvanta::shell {

// Section SaveReport, and the label of every field a save writes.
struct SaveReportTexts {
    QString allConfirmed;                   // every page the save wrote was read back and kept
    QString confirmed;                      // heading: the pages read back, all kept
    QString notConfirmed;                   // heading: the settings not kept or not read back
    QString difference;                     // %1 page, %2 label, %3 written, %4 reported
    QString hiddenDifference;               // the same for a password or key, without the values
    QString notReadBack;                    // %1 page
    QString taken;                          // heading: the pages the camera took
    QString notTaken;                       // heading: the pages it did not take
    QString unsafe;                         // %1 page, %2 label: a value that cannot be sent
    std::array<QString, 4> pages;           // by camera::SaveStep
    std::map<std::string, QString> labels;  // by record member, as the manual road types it
    std::map<std::string, QString> wizardLabels;  // where the guided wizard's pages differ

    void Load(const QString& langPath);
    QString Label(const std::string& field, bool wizardRoad) const;
};

// What the pages read back found: a sentence, and an item for each setting the camera did not
// keep and each page it could not be asked for again.
struct CheckReport {
    QString summary;  // empty when no page was read back
    QStringList items;
};

CheckReport DescribeChecks(const workflow::SaveOutcome& outcome, bool useWps, bool wizardRoad,
                           const SaveReportTexts& texts);

// The check report as lines of a message; empty when no page was read back.
QString CheckReportText(const CheckReport& report);

// A save stopped before anything was sent, for a value that would break its request: the
// field by its label and page; empty for any other outcome.
QString DescribeUnsafe(const workflow::SaveOutcome& outcome, bool wizardRoad,
                       const SaveReportTexts& texts);

// The pages a save that stopped part-way took and those it did not; empty when it took none,
// since then nothing reached the camera.
QString DescribeTaken(const workflow::SaveOutcome& outcome, bool useWps,
                      const SaveReportTexts& texts);

}  // namespace orvanta::shell
