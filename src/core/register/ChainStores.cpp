#include "ChainStores.h"

namespace teran {

namespace {

struct Kind {
    const char* name;
    const char* brands; // joined with "|"
};

const Kind kKinds[] = {
    {"음식점",
     "김밥천국|본죽|한솥도시락|놀부부대찌개|원할머니보쌈|새마을식당|홍콩반점|교촌치킨|BBQ치킨|BHC치킨|"
     "굽네치킨|"
     "네네치킨|파리바게뜨|뚜레쥬르|롯데리아|맘스터치|도미노피자|피자헛|미스터피자|죠스떡볶이|신전떡볶이|"
     "명랑핫도그|이삭토스트|본도시락|아딸|고봉민김밥|바르다김선생|채선당|하남돼지집|역전우동"},
    {"호프/주류", "투다리|역전할머니맥주|생활맥주|봉구비어|가르텐비어|치어스|와바|오비베어|인쌩맥주|깐부치킨|"
                  "펀비어킹|크라운호프"},
    {"커피점",
     "이디야커피|메가커피|컴포즈커피|빽다방|투썸플레이스|할리스|탐앤탐스|커피베이|더벤티|요거프레소|"
     "공차|쥬씨"},
    {"1층점포", "GS25|CU|세븐일레븐|이마트24|올리브영|다이소|배스킨라빈스|설빙|아리따움|이니스프리|미니스톱|"
                "홈플러스익스프레스|파리크라상|던킨"},
    {"1층외점포", "코인노래방|PC방|스터디카페|코인빨래방|헬스클럽|필라테스|당구장|스크린골프|키즈카페|독서실|"
                  "네일샵|미용실|안경점|태권도장"},
};

} // namespace

QStringList chainStoreKinds() {
    QStringList kinds;
    for (const Kind& k : kKinds)
        kinds << QString::fromUtf8(k.name);
    return kinds;
}

QStringList ChainStoreTable(const QString& kind) {
    for (const Kind& k : kKinds)
        if (kind == QString::fromUtf8(k.name))
            return QString::fromUtf8(k.brands).split(QLatin1Char('|'));
    return {};
}

QString chainStoreMaker(const QString& brand) {
    return QLatin1Char('[') + brand + QLatin1Char(']');
}

} // namespace teran
