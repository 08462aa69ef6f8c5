#pragma once

#include <QString>

namespace teran {

class Session;

// The box of a step that needs the vendor's server while the internet does not answer it.
namespace InternetNotice {

// "현재 인터넷 접속이 불안정합니다." CR LF CR LF "인터넷 연결이 문제가 없는지 확인해보세요."
QString text();
QString title(); // "인터넷연결"
// Whether the server answers (`answers`, as the caller asked it); when it does not, the user is
// told in that box.
bool answersOrTell(Session& session, bool answers);

} // namespace InternetNotice
} // namespace teran
