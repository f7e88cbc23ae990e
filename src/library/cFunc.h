#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class SettingsStore;

// Numbered lists of up to ten texts kept in the settings: recent lists
// ("<type>MRU", newest first) and plain lists ("<type>LIST"), values "1" to
// "10". Listing arrays hold the count in element 0 and the entries after it.
class cFunc {
public:
    // Recent lists in use.
    static constexpr int32_t kPlayedList = 0;
    static constexpr int32_t kSavedList = 1;
    static constexpr int32_t kOpenedList = 2;

    explicit cFunc(SettingsStore& settings) : settings_(settings) {}

    static constexpr int16_t GetMRU_Max() { return 10; }
    static constexpr int16_t GetLIST_Max() { return 10; }

    // Puts the text at the head of the list unless it is there already, in
    // which case it keeps its place. The oldest of ten entries drops out.
    void AddtoMRU(int32_t t, const QString& text);
    // Count, then the ten slots in order, empty ones included.
    QStringList GetMRU(int32_t t) const;
    int16_t GetMRUCount(int32_t t) const;
    void ClearMRU(int32_t t);

    // Stores the text in the first free slot; false when it is there
    // already (exact comparison) or the list is full.
    bool AddtoLIST(int32_t t, const QString& text);
    // Count, then the entries without gaps.
    QStringList GetLIST(int32_t t) const;
    // Empties the first slot holding the text, compared without regard to
    // case.
    void RemoveListItem(int32_t t, const QString& text);
    bool IsExists(int32_t t, const QString& text) const;

private:
    QStringList readSlots(const QString& section) const;

    SettingsStore& settings_;
};
