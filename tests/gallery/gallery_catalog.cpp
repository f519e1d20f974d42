// Gallery scenes of the catalogue folder: the period dialog and the two catalogues with rows.
#include "Gallery.h"
#include "u_BankInfo.h"
#include "uYearMonth.h"
#include "uZhanYao.h"

namespace {
const bool period = Gallery::add({QStringLiteral("catalog_yearmonth"), [] { return new TfrmYearMonth(nullptr); }, {}, {}});
const bool summaries = Gallery::add({QStringLiteral("catalog_zhanyao"), [] { return new TfrmZhanYao(nullptr); }, {}, {}});
const bool banks = Gallery::add({QStringLiteral("catalog_bankinfo"), [] { return new TfrmbankInfo(nullptr); }, {}, {}});
}
