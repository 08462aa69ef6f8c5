#pragma once

#include <QString>

namespace teran::ActionTexts {

// The texts and titles of the boxes and status messages of the main window's listing actions.
// Texts the office staff know from earlier versions are kept word for word (spacing included).

QString titleCheck();  // "확인"
QString titleNotice(); // "알림"

// The status bar while rows are worked on: "총 10 개의 데이타중 3 개를 등록하는중입니다."
QString uploading(int total, int current);
QString deleting(int total, int current);
QString moving(int total, int current);

QString noSelection();

// The online actions are refused after an offline login and while the server cannot be reached.
QString offlineLogin();
QString titleInternet();

QString nothingToPublish();
QString publishLimit();
QString publishQuestion(int count, const QString& labels, const QString& targetName);
QString titlePublish();
QString publishDone(int count);

QString nothingToUnpublish();
QString unpublishQuestion(int count, const QString& labels, const QString& scopeName);
QString titleUnpublish();
QString unpublishDone(int count);

QString restoreQuestion(int count, const QString& labels);
QString archiveQuestion(int count, const QString& labels);
QString titleMove();
QString restoreDone(int count);
QString archiveDone(int count);

QString deleteQuestion(int count, const QString& labels);
QString titleDelete();
QString deleteDone(int count);

QString nothingToRefresh();
QString refreshQuestion(int count, const QString& labels);
QString refreshAllQuestion();
QString titleRefresh();
QString refreshDone(int count);
QString refreshAllDone(int count);
QString titleRefreshAllDone();
// The on-demand check of the office's copies on the server (what it mended, and what failed).
QString reconciled(int sent, int removed, int aligned, int failed);
QString titleReconcile();

QString noSmsNumbers();
QString smsQuestion(int count);
QString titleSms();

QString noInChargeSelection();
QString inChargeQuestion(int count, const QString& staffName);
QString titleInCharge();
QString inChargeDone();

// Added under a completion text when some rows could not be done: how many and which.
// verb is the stem of the action ("등록", "삭제", "이동", "갱신", "변경").
QString failedNote(const QString& verb, int count, const QString& labels);
// Added when the rows were done but some of their pictures did not reach (or leave) the server.
// Rows a cancelled batch did not reach (they are as they were).
QString cancelledNote(const QString& verb, int count, const QString& labels);
// Published rows that an archive or delete left alone because the server could not be reached.
QString queuedNote(int count, const QString& labels);
QString picturesNotSentNote(int count, const QString& labels);
QString picturesNotRemovedNote(int count, const QString& labels);
// A whole action that could not reach the server.
QString serverFailed();

} // namespace teran::ActionTexts
