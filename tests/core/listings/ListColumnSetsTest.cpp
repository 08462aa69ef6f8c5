#include "listings/ListColumnSets.h"
#include "session/PropertyTypes.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {

QStringList captions(const char* joined) {
    return QString::fromUtf8(joined).split(QStringLiteral(", "), Qt::SkipEmptyParts);
}

// The office's table of list columns per type: own list, then shared and club lists.
struct Expected {
    const char* tb;
    const char* own;
    const char* server;
};

const Expected kExpected[] = {
    {"apt",
     "아파트명, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 방, 연료, 방향, "
     "승강기, 비고, 검색키워드",
     "아파트명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 총동수, 방, 연료, "
     "방향, 승강기"},
    {"villa",
     "빌라명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 건축년도, "
     "방, 연료, 방향, 승강기, 비고, 검색키워드",
     "빌라명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 총동수, 방, "
     "연료, 방향, 승강기, 비고"},
    {"opistel",
     "오피스텔명, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 건축년도, "
     "내부구조, 방, 연료, 용도, 방향, 비고, 검색키워드",
     "오피스텔명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 총동수, "
     "내부구조, 방, 연료, 용도, 방향, 승강기, 비고"},
    {"dan",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "건축년도, 용도지역, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "용도지역, 비고"},
    {"wonroom",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 방, 주차대수, 건축년도, 건물상태, "
     "승강기, 연료, 방향, 형태, 비고, 검색키워드",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 방, 주차대수, 건축년도, 건물상태, "
     "승강기, 연료, 방향, 형태, 비고"},
    {"dagagu",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 방, 연료, 방향, 승강기, "
     "건축년도, 건물상태, 형태, 비고, 검색키워드",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 방, 연료, 방향, 승강기, "
     "건물상태, 형태, 비고"},
    {"gunmul",
     "건물명, 대지, 건물, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 도로, 건축년도, 주차방식, "
     "지상주차, 지하주차, 연료, 용도, 용도지역, 비고, 검색키워드",
     "건물명, 대지, 건물, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 도로, 주차방식, 지상주차, "
     "지하주차, 연료, 용도, 용도지역, 비고"},
    {"junwon",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "건축년도, 용도지역, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "용도지역, 비고"},
    {"gong",
     "공장명, 현업종, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 천정고, 차량, "
     "동력, 공업용수, 건축년도, 용도지역, 비고, 검색키워드",
     "공장명, 현업종, 대지, 건물, 전세금, 합산금, 매매가, 융자금, 월세금, 월세, 수익률, 층수, 천정고, 차량, "
     "동력, 공업용수, 용도지역, 비고"},
    {"joouso",
     "상호명, 정유사, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 도로, "
     "건축년도, 포스, 용도지역, 주택여부, 비고, 검색키워드",
     "상호명, 정유사, 대지, 건물, 전세금, 합산금, 매매가, 융자금, 월세금, 월세, 수익률, 층수, 도로, 포스, "
     "용도지역, 주택여부, 비고"},
    {"bgsang",
     "상가명, 평형, 실평, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 건축년도, 층수, 주차대수, 연료, "
     "현재용도, 적합용도, 비고, 검색키워드",
     "상가명, 평형, 실평, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 주차대수, 연료, 현재용도, "
     "적합용도, 비고"},
    {"jumpo",
     "현업종, 평형, 실평, 매매가, 융자금, 실인수가, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 층수, "
     "주차대수, 방, 비고, 검색키워드",
     "현업종, 평형, 실평, 매매가, 융자금, 실인수가, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 층수, "
     "주차대수, 방, 비고"},
    {"mulru",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 용도지역, 도로, "
     "천정고, 용도, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 용도지역, 도로, 천정고, 용도, "
     "비고"},
    {"land",
     "지목, 대지, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 용도지역, 도로, 방향, 용도, 비고, "
     "검색키워드",
     "지목, 대지, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 용도지역, 도로, 방향, 용도, 비고"},
    {"office",
     "건물명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 주차대수, 승강기, "
     "건축년도, 형태, 건물상태, 비고, 검색키워드",
     "건물명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 주차대수, 승강기, "
     "건축년도, 형태, 건물상태, 비고"},
    {"hotel",
     "호텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 방, 도로, "
     "주차방식, 지상주차, 지하주차, 연료, 비고, 검색키워드",
     "호텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 주차방식, "
     "지상주차, 지하주차, 연료, 비고"},
    {"motel",
     "모텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 승강기, "
     "주차방식, 지상주차, 지하주차, 건축년도, 연료, 비고, 검색키워드",
     "모텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 승강기, "
     "주차방식, 지상주차, 지하주차, 연료, 비고"},
    {"sanjang",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 주차대수, 연료, 건축년도, "
     "비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 주차대수, 연료, 비고"},
    {"budongsan",
     "분류, 평형, 매매가, 융자금, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 실인수가, 연료, 주차대수, "
     "비고, 검색키워드",
     "분류, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 시설비, 월세, 관리비, 실인수가, 연료, 주차대수, "
     "비고"},
};

const ListColumn* find(const ListColumnSet& set, const QString& caption) {
    for (const ListColumn& c : set)
        if (c.caption == caption)
            return &c;
    return nullptr;
}

} // namespace

TEST(ListColumnSetsTest, EveryTypeShowsItsColumnsBetweenTheFixedHeadAndTail) {
    ASSERT_EQ(std::size(kExpected), std::size_t(propertyTypeCodes().size()));
    const QStringList ownHead =
        captions("state, 번호, hitadd, hitmem, 진행상태, 접수매체, 사진, 시도, 군구, 읍면동, 지번, 호수");
    const QStringList ownTail = captions("담당자, 연락처, 기타, 수정일, 등록일, 만기일");
    const QStringList serverHead = captions("table_idx, 번호, subid, 사진, 시도, 군구, 읍면동");
    const QStringList serverTail = captions("연락처, 수정일");
    for (const Expected& e : kExpected) {
        const QString tb = QString::fromLatin1(e.tb);
        SCOPED_TRACE(e.tb);
        EXPECT_TRUE(findPropertyType(tb));
        EXPECT_EQ(captionsOf(ListColsByTb(ListKind::Own, tb)), ownHead + captions(e.own) + ownTail);
        const QStringList server = serverHead + captions(e.server) + serverTail;
        EXPECT_EQ(captionsOf(ListColsByTb(ListKind::Shared, tb)), server);
        EXPECT_EQ(captionsOf(ListColsByTb(ListKind::Club, tb)), server);
    }
}

TEST(ListColumnSetsTest, AllTypesAndGroupListsHaveTheirFixedColumns) {
    EXPECT_EQ(
        captionsOf(ListColsByTb(ListKind::Own, QStringLiteral("all"))),
        captions(
            "state, 번호, hitadd, hitmem, 종목, 진행상태, 사진, 시도, 군구, 읍면동, 지번, 호수, 평수, 층수, "
            "매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 시설비, 방갯수, 건축년도, 비고, "
            "검색키워드, 연락처, 수정일, 등록일, 만료일, 담당자, 기타"));
    EXPECT_EQ(captionsOf(ListColsByTb(ListKind::Own, QString())),
              captionsOf(ListColsByTb(ListKind::Own, "all")));
    EXPECT_EQ(
        captionsOf(ListColsByTb(ListKind::Shared, QStringLiteral("all"))),
        captions(
            "table_idx, 번호, subid, 종목, 사진, 시도, 군구, 읍면동, 평수, 층수, 매매가, 융자금, 전세금, "
            "합산금, 월세금, 월세, 관리비, 시설비, 방갯수, 건축년도, 비고, 연락처, 수정일, 담당자"));
    const QStringList group = captions(
        "번호, 종목, 분류, 진행상태, 시도, 군구, 읍면동, 지번, 호수, 평수, 층수, 매매가, 융자금, 월세금, "
        "월세, 관리비, 시설비, 방갯수, 건축년도, 비고, 연락처, 수정일, 등록일, 만료일, 담당자, 기타");
    EXPECT_EQ(captionsOf(ListColsByTb(ListKind::Group, QStringLiteral("apt"))), group);
    EXPECT_EQ(captionsOf(ListColsByTb(ListKind::Group, QString())), group);
    // An unknown code is no reason for an empty grid.
    EXPECT_EQ(captionsOf(ListColsByTb(ListKind::Own, QStringLiteral("castle"))),
              captionsOf(ListColsByTb(ListKind::Own, QStringLiteral("all"))));
}

// Every column reads only columns its store keeps: a private column on a server list would make
// the whole statement fail.
TEST(ListColumnSetsTest, ColumnsReadOnlyWhatTheirStoreKeeps) {
    QStringList tbs = propertyTypeCodes();
    tbs << QStringLiteral("all");
    for (ListKind kind : {ListKind::Own, ListKind::Group, ListKind::Shared, ListKind::Club}) {
        for (const QString& tb : tbs) {
            const ListColumnSet set = ListColsByTb(kind, tb);
            for (const ListColumn& column : set) {
                SCOPED_TRACE((tb + QLatin1Char(' ') + column.caption).toStdString());
                EXPECT_FALSE(column.raw.isEmpty());
                for (const QString& raw : column.raw)
                    EXPECT_TRUE(isListingColumnOn(raw, sideOf(kind))) << raw.toStdString();
            }
        }
    }
}

TEST(ListColumnSetsTest, CaptionsThatDependOnTheTypeOrStoreReadTheirColumn) {
    const auto rawOf = [](ListKind kind, const char* tb, const char* caption) {
        const ListColumnSet set = ListColsByTb(kind, QString::fromLatin1(tb));
        const ListColumn* c = find(set, QString::fromUtf8(caption));
        return c ? c->raw : QStringList{QStringLiteral("<missing>")};
    };
    EXPECT_EQ(rawOf(ListKind::Own, "jumpo", "현업종"), QStringList{"cboname"});
    EXPECT_EQ(rawOf(ListKind::Own, "gong", "현업종"), QStringList{"upjong"});
    EXPECT_EQ(rawOf(ListKind::Own, "gong", "공장명"), QStringList{"cboname"});
    EXPECT_EQ(rawOf(ListKind::Own, "opistel", "용도"), QStringList{"yongdo"});
    EXPECT_EQ(rawOf(ListKind::Own, "gunmul", "용도"), QStringList{"ydo"});
    EXPECT_EQ(rawOf(ListKind::Own, "dagagu", "평형"), (QStringList{"pyung", "pyung_use"}));
    EXPECT_EQ(rawOf(ListKind::Own, "apt", "평형"), QStringList{"pyung"});
    EXPECT_EQ(rawOf(ListKind::Shared, "dagagu", "주차대수"),
              (QStringList{"parking", "parking_d", "parking_u"}));
    EXPECT_EQ(rawOf(ListKind::Own, "villa", "주차대수"), QStringList{"parking"});
    EXPECT_EQ(rawOf(ListKind::Own, "budongsan", "분류"), QStringList{"maemultype"});
    EXPECT_EQ(rawOf(ListKind::Group, "", "분류"), QStringList{"ty"});
    EXPECT_EQ(rawOf(ListKind::Own, "apt", "번호"), QStringList{"table_idx"});
    EXPECT_EQ(rawOf(ListKind::Shared, "apt", "번호"), QStringList{"sub_idx"});

    const ListColumnSet own = ListColsByTb(ListKind::Own, QStringLiteral("apt"));
    EXPECT_EQ(find(own, QStringLiteral("연락처"))->format, CellFormat::OwnerPhones);
    EXPECT_EQ(find(own, QStringLiteral("수정일"))->format, CellFormat::DateTime);
    const ListColumnSet shared = ListColsByTb(ListKind::Shared, QStringLiteral("all"));
    EXPECT_EQ(find(shared, QStringLiteral("연락처"))->format, CellFormat::OfficePhones);
    EXPECT_EQ(find(shared, QStringLiteral("담당자"))->format, CellFormat::OfficeAgent);
    EXPECT_EQ(find(shared, QStringLiteral("수정일"))->format, CellFormat::Date);
}

TEST(ListColumnSetsTest, AlignmentHiddenHelpersAndSortTags) {
    const ListColumnSet set = ListColsByTb(ListKind::Own, QStringLiteral("jumpo"));
    QStringList right;
    QStringList hidden;
    for (const ListColumn& c : set) {
        if (c.rightAligned)
            right << c.caption;
        if (c.hidden)
            hidden << c.caption;
    }
    EXPECT_EQ(
        right,
        captions("번호, 사진, 시도, 호수, 평형, 실평, 매매가, 융자금, 실인수가, 시설비, 전세금, 합산금, "
                 "월세금, 월세, 관리비, 층수"));
    EXPECT_EQ(hidden, captions("state, hitadd, hitmem"));
    EXPECT_EQ(find(set, QStringLiteral("합산금"))->sortTag, QStringLiteral("hapsan"));
    EXPECT_EQ(find(set, QStringLiteral("호수"))->sortTag, QStringLiteral("address"));
    EXPECT_TRUE(find(set, QStringLiteral("비고"))->sortTag.isEmpty());
    EXPECT_TRUE(find(set, QStringLiteral("state"))->sortTag.isEmpty());

    const ListColumnSet shared = ListColsByTb(ListKind::Shared, QStringLiteral("land"));
    EXPECT_TRUE(find(shared, QStringLiteral("대지"))->rightAligned);
    EXPECT_TRUE(find(shared, QStringLiteral("수익률"))->rightAligned);
    EXPECT_FALSE(find(shared, QStringLiteral("지목"))->rightAligned);
    EXPECT_TRUE(find(shared, QStringLiteral("매매가"))->sortTag.isEmpty());
    EXPECT_EQ(find(shared, QStringLiteral("사진"))->sortTag, QStringLiteral("imgname1"));
    EXPECT_TRUE(find(shared, QStringLiteral("table_idx"))->hidden);
    EXPECT_TRUE(find(shared, QStringLiteral("subid"))->hidden);
}

TEST(ListColumnSetsTest, LayoutFilesFollowTheListAndItsMode) {
    EXPECT_EQ(layoutKindFor(ListKind::Own, QStringLiteral("all")), LayoutKind::OwnListAll);
    EXPECT_EQ(layoutKindFor(ListKind::Own, QStringLiteral("apt")), LayoutKind::OwnListType);
    EXPECT_EQ(layoutKindFor(ListKind::Group, QStringLiteral("apt")), LayoutKind::OwnListGroup);
    EXPECT_EQ(layoutKindFor(ListKind::Shared, QString()), LayoutKind::SharedListAll);
    EXPECT_EQ(layoutKindFor(ListKind::Shared, QStringLiteral("land")), LayoutKind::SharedListType);
    EXPECT_EQ(layoutKindFor(ListKind::Club, QStringLiteral("all")), LayoutKind::ClubAll);
    EXPECT_EQ(layoutKindFor(ListKind::Club, QStringLiteral("gong")), LayoutKind::ClubType);
}
