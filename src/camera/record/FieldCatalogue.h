// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every camera field of CameraSettings, once: its wire key and the report that carries it,
// its place and width in the record, whether a save writes it and how, and what a typed value
// may be. The report parser, the write queries, the check for characters that would break a
// request, the tool's FIELD=VALUE and JSON keys and the value rule all read this table.
#include <cstddef>
#include <span>
#include <string_view>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

enum class FieldType { kText, kByte, kInt32 };

// What the pages let a user type into these fields, in characters; the tool keeps to the same.
constexpr int kNameChars = 32;  // host name and description
constexpr int kDdnsHostChars = 127;
constexpr int kDdnsUserChars = 63;
constexpr int kDdnsPasswordChars = 20;
constexpr int kSsidChars = 32;

// What a typed value may be. Number and Text take anything that fits the field (the camera
// alone knows what its codes mean); Choice takes one of `values`; Range a number from
// values[0] to values[1].
enum class ValueKind { Text, Number, Choice, Range, Address, Mask, Port, Date, Time };

// The reports a camera sends (Act 1), by page; the time is page 0 with sub 15.
enum class Report { None, Time, System, Network, Ddns, Firmware, Capability, Nat };

struct CameraField {
    const char* name;  // the record's member: the tool's FIELD, the JSON key
    const char* key;   // its key in its report and in a write query
    size_t offset;
    size_t size;
    FieldType type;
    Report report;  // the report it is read from; None: the read finds it out otherwise
    bool required;  // every model reports it: its report is incomplete without it
    bool written;   // a save sends it back
    bool spaced;    // sent with its blanks encoded
    ValueKind kind;
    int values[4];
    int valueCount;
    bool listed;     // shown by the tool's read
    int typedChars;  // the most characters a page takes; 0: what fits its width
};

// The fields in the record's order, then what only the NAT read finds.
std::span<const CameraField> FieldCatalogue();
// By name; nullptr when no field has it.
const CameraField* FindField(std::string_view name);

// Page and sub of a report's read; Report::None for a page no report table covers.
Report ReportOf(int page, int sub);

// The write queries, each a list of field names in the order the camera takes them.
enum class WriteQuery { System, Ddns, Time, Network, NetworkWithoutWireless };
std::span<const char* const> QueryFields(WriteQuery query);

// Where a field's value lives in the record.
inline const unsigned char* FieldAt(const CameraSettings& s, const CameraField& f) {
    return reinterpret_cast<const unsigned char*>(&s) + f.offset;
}
inline unsigned char* FieldAt(CameraSettings& s, const CameraField& f) {
    return reinterpret_cast<unsigned char*>(&s) + f.offset;
}

}  // namespace orvanta::camera
