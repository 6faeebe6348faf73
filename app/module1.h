#pragma once
// Program-wide state: everything that outlives one main window, i.e. one match.
#include <QString>
#include <cstdint>

#include "game/indexed.h"

namespace dovrel {

inline constexpr int16_t True = -1;
inline constexpr int16_t False = 0;

inline const QString CrLf = QStringLiteral("\r\n");

struct Module1 {
    Indexed<QString, 1, 2> PlayerName;
    int16_t VsComputer = False;
    float StepDelay = 0.0f;
    int16_t SoundOn = False;
    QString SoundDir;
    QString WinnerName;
    QString AboutFlag;
    QString CloseReason;

    // The one instance the windows share for the whole run.
    static Module1& instance();
};

// The folder of the running program, always ending in the directory separator.
QString withTrailingSeparator(const QString& folder);

}  // namespace dovrel
