#include "app/DatabaseFacts.h"

#include "core/DateTime.h"
#include "core/Format.h"
#include "ipdb/untTQQWry.h"

void ReadDatabaseFacts(const std::string& fileName, const LineSink& addLine) {
    std::unique_ptr<TQQWry> wry = TQQWry::Create(fileName);
    addLine(Format("文件大小：%lld字节", static_cast<long long>(wry->GetDataFileSize())));
    addLine(Format("记录总数：%lld条", static_cast<long long>(wry->GetRecordCount())));
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(TQQWry::GetReleaseDate(wry), year, month, day);
    addLine("更新日期：" + Format("%d年%d月%d日", year, month, day));
    addLine("数据库版本：" + TQQWry::GetVersionText(wry));
}
