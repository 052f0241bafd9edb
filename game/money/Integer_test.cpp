#include "game/money/Integer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Purenum::Integer;
using i128 = __int128;
using u128 = unsigned __int128;

// Values checked once with an independent arbitrary-precision calculator.
// kA = 3^650, kB = 7^333 - 1, kC = 3^1300, kDm = 7^600 - 1,
// kD = 11^400 + 987654321, kE = 13^150 - 5; kDqE and kDrE are the
// truncated quotient and remainder of kD by kE.
const char kA[] =
    "1345288927698907417480755201399777957654431545196871911085555058240927236736484130832445"
    "9044093817393786629122137227016427524732812760773986222811213398856567236538343511347036"
    "0272902038619855497415303015749856823109751466203284585578714246184953760894139266894537"
    "72198169140460040549915812546507646516606638249";

const char kB[] =
    "2616057737058708040363301421995057609051740699993558230763671494389502199332239271981415"
    "5165461066262125121942034767155287011543533425225491478682002286583071806821660442344315"
    "9292482136395443746717242471929229013549538672852863264020059880806034015137217847978585"
    "370233741818354406";

const char kAB[] =
    "3519353507886139632614868638273858540595973718863407038032753783689157801861197132297111"
    "8289042541410302593990714357937684760395100332502967618267259626132082472613649881866166"
    "0489489353730503836523246653806008482854107114323044111383155829875099501383807376267399"
    "7912452504717465934013474392368078731199195229023484987354798593659781419918762700480120"
    "2782127493851597382739016373800545009665327440756419031527472515998186391945545457612793"
    "1089509829445243146536055342017550130784643984946494691621995486886669918323965905274558"
    "6029838539501853590004099602758419718447404408916554088917275094";

const char kC[] =
    "1809802298989276148958523994291171014652756057654232959690054414244110865190479652265175"
    "2720928703424386982425423665426965077873850560389609781060355447279709995726899973564545"
    "1862866599047554310106053073400016747052276933651693201994493045313861124048732077888820"
    "2694152570407283502487489178308645124685979417936135273842502730320745975812956320219196"
    "8841767084921880243978706845027309079241621372842747124195269029509891121429734523276467"
    "0796463979696711452531294829870748197355206752754348990795971540090615346527922888200122"
    "0301254386695545253817272899274960297524565609889270028881695356984581977515223909331497"
    "86001";

const char kDm[] =
    "1145048833231025262923319814956927847862325982119733994342531554985163223206633039966559"
    "2412576096704298973504158919807688041279457547319038566599494318987629721301652533735138"
    "0678465872588628456548930271876261491385563748020114953679340646462509424451536505012071"
    "6031569341385478652988610315682341203592396495196841992428170385814830107188442828034084"
    "8590475778814576853982063120666404156531022348503937987859541449436932669286370821170080"
    "42259717751876054474127768543694355277241235419849905308275568360000";

const char kCDm[] =
    "2072312010836497785842918246380499126325087026350891737339273764379254454873582799465568"
    "4289856315587719991913038596222597829184890607987041381585826448422898058744726490970511"
    "3454756609666361674757377135329940930734686373144669112113293358308927162243546115035247"
    "0949825782983725848202613990737346115315904575506636472598658886172737046571801854151263"
    "0894106967238948301652223409661064717706694200781346107674711987326322487183030930274372"
    "7828387245391296661667365680765772199728009397103915166604392150060812573690143408923920"
    "5876937495422521625116282213390020049043346461314026610751027322496485906110343114823836"
    "8648019165546008642843054681427421983514008605157885787445708766516347350916633817337111"
    "5076601373864569530486219391031789795929162324174305990957839737982644797346923991605185"
    "0897684572815900580270080461578309383082079342525609225827568744712904143640151773723173"
    "0350784980406267685869998357284386885925975203292997542946525704793766377387674863712686"
    "4348421884239631629451242267520043472945520354685457431663753065030679817690152285070133"
    "870903908368532800916088395688588373392110589358473040949470646528360000";

const char kD[] =
    "3606401402752443584098091972274134325060144795717094266342648558022194497165604610191233"
    "1608005338552449355869760142666348963783176434920813875219211230512634500370892532904161"
    "7090632718774594364506083341410569190843417650674893889980023761799765945636927481116982"
    "4261774297887734055711926472319045845236474098860792298813799202649022824397755574423738"
    "07256201598024132096968273806917675887843338011111792324589438322";

const char kE[] =
    "1234533405308154514709956198722461595417475029364391202739822097945024700899214733022540"
    "57771904849444203707893266144028784240903003373883225650848840283895455448640244";

const char kDqE[] =
    "2921266761390099478842049201243864360861372779932560120198991672178437599832110027717827"
    "0555582634675740369506094128134010507238102654159468583201130674044995515833847612939994"
    "69645724197446577171240484484589985782818201827254641042211605646406448617";

const char kDrE[] =
    "9738846778083816033795669893382951628999857712624766136626800521641517995201460889885104"
    "2749678125018150129756226952700928530932921734732813371926829218889758885095774";

const char kA16[] =
    "4ad58cdc98ba9dbf256e05eeecfffaf17a0fd6aa33515df24a4fb4f493d4fba037b19468f2d8d2ea186948d0"
    "864e79597570da6f64f04bbafdf11a0356267a84ba20a947b3448220a99df4cd67c1dc25982dacc1d461f131"
    "ddfee765af32b23fc3813f4a97b03b118161bf6315dc1af445d16f946d46a701fac7218a60579598a9";

const char kA36[] =
    "2np9md3oms2a24v2ozbz29nszozirqssmzv7bqcbwmwyyx8nhwo3eefhk5qy9281pj6c4huzywdnrtfusq1tpanm"
    "r0ctshvnvvwvuaphd87mm1f6btqizd98wnuwo98feuyxnsecrgsno7xgg1bqogug1nw58nmb81rpkhuq9ybz7bm2"
    "qxolazsbkyx0welsk60i19k9";

const char kA7[] =
    "6436351223546503560634216116306614344601261016563156256654113021000504530345264563534616"
    "1540000350624112355066326530412324512625616322611325403461215251060314525142665506601445"
    "1236665243655524166336426650422165240411516512142440651662121245336036445122452205003464"
    "3436444013241030163033462113033340354540663526510101033223226354651145035512060144661261"
    "021635554526622";

std::string Text(i128 v) {
  if (v == 0) return "0";
  bool negative = v < 0;
  u128 mag = negative ? -static_cast<u128>(v) : static_cast<u128>(v);
  std::string s;
  while (mag != 0) {
    s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(mag % 10)));
    mag /= 10;
  }
  return negative ? "-" + s : s;
}

std::string Negated(const std::string& s) { return s[0] == '-' ? s.substr(1) : "-" + s; }

// Long multiplication on decimal digit strings, the way it is done on paper;
// the reference for products too wide for 128 bits.
std::string MulDecimal(const std::string& a, const std::string& b) {
  bool negative = (a[0] == '-') != (b[0] == '-');
  std::string x = a[0] == '-' ? a.substr(1) : a;
  std::string y = b[0] == '-' ? b.substr(1) : b;
  std::vector<unsigned> acc(x.size() + y.size(), 0);
  for (size_t i = 0; i < x.size(); ++i) {
    for (size_t j = 0; j < y.size(); ++j) {
      acc[i + j + 1] += static_cast<unsigned>((x[i] - '0') * (y[j] - '0'));
    }
  }
  for (size_t k = acc.size() - 1; k > 0; --k) {
    acc[k - 1] += acc[k] / 10;
    acc[k] %= 10;
  }
  std::string s;
  for (unsigned d : acc) {
    if (!s.empty() || d != 0) s += static_cast<char>('0' + d);
  }
  if (s.empty()) return "0";
  return negative ? "-" + s : s;
}

std::string RandomDigits(std::mt19937_64& rng, size_t n) {
  std::string s(1, static_cast<char>('1' + rng() % 9));
  while (s.size() < n) s += static_cast<char>('0' + rng() % 10);
  return rng() % 2 ? "-" + s : s;
}

// Magnitudes gathered around the word boundaries where carries, borrows and
// limb counts change, plus plain random widths; either sign.
i128 RandomValue(std::mt19937_64& rng) {
  i128 delta = rng() % 2 ? static_cast<i128>(rng() % 9) - 4
                         : static_cast<i128>(rng() % (1u << 21)) - (1 << 20);
  u128 mag = 0;
  switch (rng() % 8) {
    case 0:
      mag = rng() % 65536;
      break;
    case 1:
      mag = (u128(1) << 32) + delta;
      break;
    case 2:
      mag = (u128(1) << 63) + delta;
      break;
    case 3:
      mag = (u128(1) << 64) + delta;
      break;
    case 4:
      mag = rng() >> (rng() % 64);
      break;
    case 5:
      mag = (u128(rng()) << 32 | rng() % (u128(1) << 32)) >> (rng() % 32);
      break;
    case 6:
      mag = (u128(rng() % (u128(1) << 36)) << 64) | rng();
      break;
    default:
      mag = (u128(1) << 96) + delta;
      break;
  }
  return rng() % 2 ? -static_cast<i128>(mag) : static_cast<i128>(mag);
}

Integer Abs(const Integer& x) { return x < 0L ? -x : x; }

// Builds a value from limbs given most significant first.
Integer FromLimbs(const std::vector<uint32_t>& limbs) {
  Integer v;
  for (uint32_t limb : limbs) {
    v.ShiftLeftLimbs(1);
    v += static_cast<long>(limb);
  }
  return v;
}

bool ThrowsBase(const std::function<void()>& f) {
  try {
    f();
  } catch (const Integer::exception&) {
    return true;
  }
  return false;
}

TEST(IntegerTest, CarryAndBorrowAcrossTheFirstLimb) {
  Integer x("4294967295");
  ++x;
  EXPECT_EQ(x.str(), "4294967296");
  EXPECT_EQ(x.LimbCount(), 2u);
  x -= 1L;
  EXPECT_EQ(x.str(), "4294967295");
  EXPECT_EQ(x.LimbCount(), 1u);

  Integer y("-4294967295");
  y--;
  EXPECT_EQ(y.str(), "-4294967296");
  y += Integer("4294967296");
  EXPECT_EQ(y.str(), "0");
  EXPECT_FALSE(y.IsNegative());

  Integer z;
  EXPECT_EQ((z--).str(), "0");
  EXPECT_EQ(z.str(), "-1");
  EXPECT_EQ((++z).str(), "0");
  EXPECT_FALSE(z.IsNegative());
  EXPECT_EQ((z++).str(), "0");
  EXPECT_EQ(z.str(), "1");
}

TEST(IntegerTest, DivisionTruncatesTowardZero) {
  EXPECT_EQ((Integer(-7) / Integer(2)).str(), "-3");
  EXPECT_EQ((Integer(-7) % Integer(2)).str(), "-1");
  EXPECT_EQ((Integer(7) / Integer(-2)).str(), "-3");
  EXPECT_EQ((Integer(7) % Integer(-2)).str(), "1");
  EXPECT_EQ((Integer(-7) / -2L).str(), "3");
  EXPECT_EQ((Integer(-7) % -2L).str(), "-1");
  EXPECT_EQ((-7L / Integer(2)).str(), "-3");
  EXPECT_EQ((Integer(-1) / 2L).str(), "0");
  EXPECT_FALSE((Integer(-1) / 2L).IsNegative());
  EXPECT_EQ((Integer("-18446744073709551617") / 2L).str(), "-9223372036854775808");
  EXPECT_EQ((Integer("-18446744073709551617") % 2L).str(), "-1");
  EXPECT_EQ((Integer("-5") / Integer("18446744073709551617")).str(), "0");
  EXPECT_EQ((Integer("-5") % Integer("18446744073709551617")).str(), "-5");
}

TEST(IntegerTest, NoNegativeZero) {
  const std::vector<Integer> zeros = {
      Integer(5) - Integer(5),
      Integer("-0"),
      Integer("-000"),
      Integer(-3) * Integer(0),
      Integer(0) * -3L,
      Integer(-6) % Integer(3),
      Integer(-2) / Integer(5),
      -Integer(0),
      Integer("-" + std::string(kA)) + Integer(kA),
      Integer("-" + std::string(kAB)) % Integer(kA),
      Integer("-" + std::string(kA)) * Integer(0),
      Integer("-18446744073709551616").ShiftRightLimbs(3),
  };
  for (const Integer& z : zeros) {
    EXPECT_EQ(z.str(), "0");
    EXPECT_FALSE(z.IsNegative());
    EXPECT_EQ(z.LimbCount(), 1u);
    EXPECT_TRUE(z == 0L);
  }
}

TEST(IntegerTest, TextConstructorRejectsAnythingButDigits) {
  const std::vector<std::string> bad = {"",      " ",   "12 34", " 12", "12 ",  "1.2e+19",
                                        "--5",   "-",   "+5",    "12a", "0x10", "5-",
                                        "1,000", "\t7", "-1 ",   "٣"};
  for (const std::string& text : bad) {
    EXPECT_THROW(Integer{text}, Integer::badstring) << '"' << text << '"';
    EXPECT_THROW(Integer{text.c_str()}, Integer::badstring) << '"' << text << '"';
  }
  EXPECT_THROW(Integer(std::string("12\0"
                                   "3",
                                   4)),
               Integer::badstring);
  EXPECT_THROW(Integer(static_cast<const char*>(nullptr)), Integer::badstring);
}

TEST(IntegerTest, TextRoundTrips) {
  EXPECT_EQ(Integer("000100").str(), "100");
  EXPECT_EQ(Integer("-000100").str(), "-100");
  EXPECT_EQ(Integer("00000000000000000000000000018446744073709551616").str(),
            "18446744073709551616");
  // Lengths around the 19-digit chunks and the 32-bit limbs.
  std::mt19937_64 rng(11);
  for (size_t n : {1, 9, 10, 18, 19, 20, 37, 38, 39, 40, 57, 58, 300, 1001}) {
    for (int i = 0; i < 20; ++i) {
      std::string s = RandomDigits(rng, n);
      EXPECT_EQ(Integer(s).str(), s);
      std::ostringstream os;
      os << Integer(s);
      EXPECT_EQ(os.str(), s);
    }
  }
  std::string nines(120, '9');
  EXPECT_EQ(Integer(nines).str(), nines);
  EXPECT_EQ((Integer(nines) + 1L).str(), "1" + std::string(120, '0'));
  EXPECT_EQ(Integer("1" + std::string(120, '0')).str(), "1" + std::string(120, '0'));
}

TEST(IntegerTest, LongOperandsCoverTheWhole64BitRange) {
  Integer lo(LONG_MIN);
  EXPECT_EQ(lo.str(), "-9223372036854775808");
  EXPECT_EQ(lo.LimbCount(), 2u);
  EXPECT_EQ(Integer(LONG_MAX).str(), "9223372036854775807");
  EXPECT_EQ(Integer(4294967296L).LimbCount(), 2u);
  EXPECT_EQ(Integer(-4294967295L).LimbCount(), 1u);

  Integer x("123456789012345678901234567890");
  x = LONG_MIN;
  EXPECT_EQ(x.str(), "-9223372036854775808");
  x = 7L;
  EXPECT_EQ(x.LimbCount(), 1u);

  EXPECT_TRUE(lo == LONG_MIN);
  EXPECT_TRUE(LONG_MIN == lo);
  EXPECT_TRUE(lo < LONG_MIN + 1);
  EXPECT_TRUE(Integer("-9223372036854775809") < LONG_MIN);
  EXPECT_TRUE(LONG_MAX < Integer("9223372036854775808"));
  EXPECT_TRUE(Integer("18446744073709551615") > LONG_MAX);
  EXPECT_TRUE(-1L < Integer(0));
  EXPECT_TRUE(Integer(0) > -1L);

  EXPECT_EQ((Integer(1) * LONG_MIN).str(), "-9223372036854775808");
  EXPECT_EQ((Integer(0) - LONG_MIN).str(), "9223372036854775808");
  EXPECT_EQ((Integer(LONG_MIN) / LONG_MIN).str(), "1");
  EXPECT_EQ((Integer(LONG_MIN) / -1L).str(), "9223372036854775808");
  EXPECT_EQ((Integer("170141183460469231731687303715884105728") / LONG_MIN).str(),
            "-18446744073709551616");
  EXPECT_EQ((Integer(LONG_MAX) % LONG_MIN).str(), "9223372036854775807");
}

TEST(IntegerTest, ComparisonOrdersBySignThenMagnitude) {
  const std::vector<std::string> ascending = {"-18446744073709551616",
                                              "-18446744073709551615",
                                              "-4294967297",
                                              "-4294967296",
                                              "-4294967295",
                                              "-2",
                                              "-1",
                                              "0",
                                              "1",
                                              "4294967295",
                                              "4294967296",
                                              "4294967297",
                                              "18446744073709551615",
                                              "18446744073709551616",
                                              "79228162514264337593543950336"};
  for (size_t i = 0; i < ascending.size(); ++i) {
    for (size_t j = 0; j < ascending.size(); ++j) {
      Integer a(ascending[i]), b(ascending[j]);
      EXPECT_EQ(a < b, i < j) << ascending[i] << " " << ascending[j];
      EXPECT_EQ(a > b, i > j) << ascending[i] << " " << ascending[j];
      EXPECT_EQ(a <= b, i <= j);
      EXPECT_EQ(a >= b, i >= j);
      EXPECT_EQ(a == b, i == j);
      EXPECT_EQ(a != b, i != j);
    }
  }
}

TEST(IntegerTest, CopiesAreDeep) {
  Integer a(kA);
  Integer b(a);
  b += 1L;
  EXPECT_EQ(a.str(), kA);
  Integer c;
  c = a;
  c *= 2L;
  EXPECT_EQ(a.str(), kA);
  EXPECT_NE(c, a);
  c = a;
  EXPECT_EQ(c, a);
  Integer& same = a;
  a = same;
  EXPECT_EQ(a.str(), kA);
  Integer small(5);
  small = a;
  a = Integer(3);
  EXPECT_EQ(small.str(), kA);
  Integer moved(std::move(small));
  EXPECT_EQ(moved.str(), kA);

  // Operands that are the object itself.
  Integer d(kB);
  d += d;
  EXPECT_EQ(d, Integer(kB) * 2L);
  d -= d;
  EXPECT_EQ(d.str(), "0");
  Integer e(kB);
  e *= e;
  EXPECT_EQ(e.str(), MulDecimal(kB, kB));
  e /= e;
  EXPECT_EQ(e.str(), "1");
  Integer f(kB);
  f %= f;
  EXPECT_EQ(f.str(), "0");
}

TEST(IntegerTest, RadixWriter) {
  EXPECT_EQ(Integer(255).str(16), "ff");
  EXPECT_EQ(Integer(-255).str(16), "-ff");
  EXPECT_EQ(Integer(35).str(36), "z");
  EXPECT_EQ(Integer(0).str(2), "0");
  EXPECT_EQ(Integer("4294967296").str(2), "1" + std::string(32, '0'));
  EXPECT_EQ(Integer("-18446744073709551615").str(16), "-ffffffffffffffff");
  EXPECT_EQ(Integer(kA).str(16), kA16);
  EXPECT_EQ(Integer(kA).str(36), kA36);
  EXPECT_EQ(Integer(kA).str(7), kA7);
  EXPECT_EQ(Integer(kA).str(10), kA);
  for (const char* radix : {"1", "37", "0", "-16", "-10", "4294967306"}) {
    EXPECT_THROW(Integer(255).str(Integer(radix)), Integer::outofrange) << radix;
  }
}

TEST(IntegerTest, ShiftsByWholeLimbs) {
  Integer x(123);
  x.ShiftLeftLimbs(2);
  EXPECT_EQ(x.str(), "2268949521066274848768");  // 123 * 2^64
  EXPECT_EQ(x.LimbCount(), 3u);
  EXPECT_EQ(x.Limb(0), 0u);
  EXPECT_EQ(x.Limb(2), 123u);
  x.ShiftRightLimbs(1);
  EXPECT_EQ(x.str(), "528280977408");  // 123 * 2^32
  x.ShiftRightLimbs(1);
  EXPECT_EQ(x.str(), "123");
  EXPECT_EQ(x.LimbCount(), 1u);

  Integer n(-5);
  n.ShiftLeftLimbs(1);
  EXPECT_EQ(n.str(), "-21474836480");
  n.ShiftRightLimbs(7);
  EXPECT_EQ(n.str(), "0");
  EXPECT_FALSE(n.IsNegative());

  Integer z;
  z.ShiftLeftLimbs(1000);
  EXPECT_EQ(z.LimbCount(), 1u);
  EXPECT_THROW(Integer(1).ShiftLeftLimbs(0xFFFFFFFFu), Integer::outofmemory);
  EXPECT_THROW(Integer(LONG_MAX).ShiftLeftLimbs(0xFFFFFFFEu), Integer::outofmemory);
}

TEST(IntegerTest, FaultsShareOneBase) {
  EXPECT_THROW(Integer(5) / Integer(0), Integer::divisionbyzero);
  EXPECT_THROW(Integer(5) % 0L, Integer::divisionbyzero);
  EXPECT_THROW(Integer(kA) / 0L, Integer::divisionbyzero);
  EXPECT_THROW(Integer(kA) % Integer("-0"), Integer::divisionbyzero);
  EXPECT_TRUE(ThrowsBase([] { Integer(kA) /= Integer(0); }));
  EXPECT_TRUE(ThrowsBase([] { Integer("1 2"); }));
  EXPECT_TRUE(ThrowsBase([] { Integer(1).str(37); }));
  EXPECT_TRUE(ThrowsBase([] { Integer(1).ShiftLeftLimbs(0xFFFFFFFFu); }));
}

TEST(IntegerTest, HandCheckedBigValues) {
  EXPECT_EQ((Integer(kA) * Integer(kB)).str(), kAB);
  EXPECT_EQ((Integer(kB) * Integer(kA)).str(), kAB);
  EXPECT_EQ((Integer(kC) * Integer(kDm)).str(), kCDm);
  EXPECT_EQ((Integer(Negated(kC)) * Integer(kDm)).str(), Negated(kCDm));
  EXPECT_EQ((Integer(kAB) / Integer(kA)).str(), kB);
  EXPECT_EQ((Integer(kAB) % Integer(kB)).str(), "0");
  EXPECT_EQ((Integer(kCDm) / Integer(Negated(kDm))).str(), Negated(kC));

  EXPECT_EQ((Integer(kD) / Integer(kE)).str(), kDqE);
  EXPECT_EQ((Integer(kD) % Integer(kE)).str(), kDrE);
  EXPECT_EQ((Integer(Negated(kD)) / Integer(kE)).str(), Negated(kDqE));
  EXPECT_EQ((Integer(Negated(kD)) % Integer(kE)).str(), Negated(kDrE));
  EXPECT_EQ((Integer(kD) / Integer(Negated(kE))).str(), Negated(kDqE));
  EXPECT_EQ((Integer(kD) % Integer(Negated(kE))).str(), kDrE);
  EXPECT_EQ((Integer(Negated(kD)) / Integer(Negated(kE))).str(), kDqE);
}

// Dividends and divisors on which the quotient estimate overshoots and the
// divisor has to be added back.
TEST(IntegerTest, LongDivisionAddBack) {
  struct Case {
    const char *u, *v, *q, *r;
  };
  const Case cases[] = {
      {"2135987035920910082163437527694919723758701103206970294622419533202542430909748889613257280"
       "585727",
       "115792089237316195417293883273301227089264054058972428391641988003806920572927",
       "18446744073709551614",
       "115792089237316195417293883273301227088753630508591020696456149464696123031549"},
      {"3940200619639447921227904010014361380513763531508410476566007889675006572542384560374708653"
       "6904616762694473990799359",
       "6277101735386680763835789423207666416131779887911765434825",
       "6277101735386680763835789423207666416082154373053158366775",
       "594405283312899068314507147279282859984"},
      {"1970100309819723960827550708599271698476120320754630115544149474696648179391574193653097123"
       "5326417035379963076804607",
       "3138550867693340382428318261985240903246239633379669573633",
       "6277101735386680763495507056286727952638980837032266301438",
       "1361129467762982016358539395283762020353"},
      {"5910300929459171881735056663225496566659578618646936823775644432270328813405288065494267147"
       "0585671352390750862049279",
       "9415652603080021145753684134811499624144309794659196993536",
       "6277101735386680763722361967567353594972492900751724511231",
       "8369468980515574352688472209478619286534623805956595646463"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ((Integer(c.u) / Integer(c.v)).str(), c.q);
    EXPECT_EQ((Integer(c.u) % Integer(c.v)).str(), c.r);
  }
}

TEST(IntegerTest, MatchesInt128Arithmetic) {
  std::mt19937_64 rng(20240601);
  for (int iter = 0; iter < 40000; ++iter) {
    i128 a = RandomValue(rng);
    i128 b = RandomValue(rng);
    Integer x(Text(a)), y(Text(b));
    SCOPED_TRACE(Text(a) + " op " + Text(b));
    ASSERT_EQ(x.str(), Text(a));
    ASSERT_EQ((x + y).str(), Text(a + b));
    ASSERT_EQ((x - y).str(), Text(a - b));
    i128 p;
    std::string product = __builtin_mul_overflow(a, b, &p) ? MulDecimal(Text(a), Text(b)) : Text(p);
    ASSERT_EQ((x * y).str(), product);
    if (b != 0) {
      ASSERT_EQ((x / y).str(), Text(a / b));
      ASSERT_EQ((x % y).str(), Text(a % b));
    }
    ASSERT_EQ(x < y, a < b);
    ASSERT_EQ(x > y, a > b);
    ASSERT_EQ(x <= y, a <= b);
    ASSERT_EQ(x >= y, a >= b);
    ASSERT_EQ(x == y, a == b);
    ASSERT_EQ(x != y, a != b);
    ASSERT_EQ(x == x, true);

    if (b >= LONG_MIN && b <= LONG_MAX) {
      long lb = static_cast<long>(b);
      ASSERT_EQ((x + lb).str(), Text(a + b));
      ASSERT_EQ((x - lb).str(), Text(a - b));
      ASSERT_EQ((x * lb).str(), product);
      if (b != 0) {
        ASSERT_EQ((x / lb).str(), Text(a / b));
        ASSERT_EQ((x % lb).str(), Text(a % b));
      }
      ASSERT_EQ(x < lb, a < b);
      ASSERT_EQ(lb < x, b < a);
      ASSERT_EQ(x == lb, a == b);
      ASSERT_EQ(lb >= x, b >= a);
      ASSERT_EQ(Integer(lb).str(), Text(b));
    }
  }
}

TEST(IntegerTest, BigProductsMatchLongMultiplication) {
  std::mt19937_64 rng(99);
  // Sizes on both sides of the switch to Karatsuba (24 words, about 462
  // digits), odd word counts and unbalanced operands.
  const std::pair<size_t, size_t> sizes[] = {{30, 25},   {150, 140},  {300, 7},     {455, 460},
                                             {463, 470}, {700, 690},  {1000, 1000}, {1500, 480},
                                             {1300, 20}, {2000, 1999}};
  for (auto [na, nb] : sizes) {
    for (int i = 0; i < 3; ++i) {
      std::string a = RandomDigits(rng, na), b = RandomDigits(rng, nb);
      ASSERT_EQ((Integer(a) * Integer(b)).str(), MulDecimal(a, b)) << na << "x" << nb;
    }
  }
  // Limbs of all ones, half words and zeros stress every carry.
  const uint32_t special[] = {0, 1, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu};
  for (size_t n : {3, 47, 48, 49, 50, 96, 97, 130, 211}) {
    for (int i = 0; i < 6; ++i) {
      std::vector<uint32_t> x(n), y(n - i % 3);
      for (uint32_t& l : x) l = i == 0 ? 0xFFFFFFFFu : special[rng() % 6];
      for (uint32_t& l : y) l = i == 0 ? 0xFFFFFFFFu : special[rng() % 6];
      x[0] = y[0] = 0xFFFFFFFFu;
      Integer a = FromLimbs(x), b = FromLimbs(y);
      ASSERT_EQ((a * b).str(), MulDecimal(a.str(), b.str())) << n << " limbs";
    }
  }
}

TEST(IntegerTest, BigDivisionIdentities) {
  std::mt19937_64 rng(5);
  const uint32_t special[] = {0, 1, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu};
  auto limbs = [&](size_t n) {
    std::vector<uint32_t> v(n);
    for (uint32_t& l : v) l = rng() % 3 ? special[rng() % 6] : static_cast<uint32_t>(rng());
    if (v[0] == 0) v[0] = 1;
    return v;
  };
  for (int iter = 0; iter < 600; ++iter) {
    Integer a, b;
    if (iter % 2) {
      a = Integer(RandomDigits(rng, 1 + rng() % 2000));
      b = Integer(RandomDigits(rng, 1 + rng() % 1000));
    } else {
      a = FromLimbs(limbs(1 + rng() % 40));
      b = FromLimbs(limbs(1 + rng() % 20));
      if (rng() % 2) a = -a;
      if (rng() % 2) b = -b;
    }
    SCOPED_TRACE(a.str() + " / " + b.str());
    Integer q = a / b, r = a % b;
    ASSERT_EQ(q * b + r, a);
    ASSERT_LT(Abs(r), Abs(b));
    ASSERT_TRUE(r == 0L || r.IsNegative() == a.IsNegative());
    ASSERT_TRUE(q == 0L || q.IsNegative() == (a.IsNegative() != b.IsNegative()));
    Integer ab = a * b;
    ASSERT_EQ(ab / b, a);
    ASSERT_EQ(ab % b, Integer(0));
  }
}

}  // namespace
