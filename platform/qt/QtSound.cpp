// CQtSound: the splash sound on QSoundEffect.
#include "platform/qt/QtSound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QUrl>

#include <system_error>

void CQtSound::PlayAsync(const std::filesystem::path& wav) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(wav, ec) || QMediaDevices::audioOutputs().isEmpty()) {
        return;
    }
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(QString::fromStdString(wav.string())));
    m_effect->play();
}
