#pragma once

#include <QString>
#include <memory>

class QTemporaryDir;

namespace teran {

// The copies of the office's pictures that go to the picture server. A phone's picture of
// 4000 px is far more than any listing page shows and slow for the offices that fetch it, so a
// picture longer than kLongSide on its long side is sent scaled down, turned as its EXIF says,
// in the format its name gives. The original stays in the data folder.
class WebSizedPictures {
public:
    static constexpr int kLongSide = 1920;

    WebSizedPictures();
    ~WebSizedPictures();
    WebSizedPictures(const WebSizedPictures&) = delete;
    WebSizedPictures& operator=(const WebSizedPictures&) = delete;

    // The file to send for `path`: `path` itself when it is small enough, not a picture, or of a
    // format that cannot be written (GIF); else a scaled copy kept until this object goes.
    QString toSend(const QString& path);

private:
    std::unique_ptr<QTemporaryDir> m_work;
};

} // namespace teran
