#include "DemoPrograms.h"

#include <QStringList>
#include <cmath>

namespace {

QByteArray Text(const char *text)
{
    return QByteArray(text);
}

const char *const kShaft = R"(%
O1001 (SHAFT D40 X 120 - OP10)
(MATERIAL C45 D45 BAR)
(T0101 CNMG 120408 ROUGH)
(T0303 VNMG 160404 FINISH)
G21 G40 G99
G28 U0. W0.
T0101
G50 S2500
G96 S220 M03
G00 X47. Z2. M08
G71 U2. R0.5
G71 P100 Q200 U0.4 W0.1 F0.25
N100 G00 X18.
G01 Z0. F0.12
X20. Z-1.
Z-25.
G02 X26. Z-28. R3.
G01 X30.
Z-60.
X36. Z-63.
Z-95.
G03 X42. Z-98. R3.
N200 G01 X46.
G00 X100. Z100. M09
T0303
G96 S260 M03
G00 X47. Z2. M08
G70 P100 Q200 F0.08
G00 X100. Z100. M09
M05
M30
%
)";

const char *const kThread = R"(%
O1002 (SHAFT D40 - OP20 THREAD M20X1.5)
(T0505 THREADING INSERT 60DEG)
G21 G40 G99
G28 U0. W0.
T0505
G97 S800 M03
G00 X24. Z5. M08
G76 P010060 Q50 R0.02
G76 X18.16 Z-22. P920 Q300 F1.5
G00 X100. Z100. M09
M05
M30
%
)";

const char *const kSetupSheet = R"(SETUP SHEET  L-101  SHAFT D40 X 120
------------------------------------
Chuck:        3-jaw, soft jaws bored to D45
Stick-out:    110 mm
Zero point:   front face, G54 Z0
Tools:        T01 CNMG 120408  rough   Vc 220
              T03 VNMG 160404  finish  Vc 260
              T05 thread 60 deg        n 800
Programs:     O1001 turning, O1002 thread
Check first part: D20 h7, D30 h7, length 120 +/-0.05
)";

const char *const kFlange1 = R"(%
O1101 (FLANGE D120 - FACE AND BORE)
G21 G40 G99
T0101
G50 S1800
G96 S200 M03
G00 X125. Z0.5 M08
G72 W1.5 R0.5
G72 P10 Q20 U0.3 W0.2 F0.22
N10 G00 Z-6.
G01 X120. F0.15
X62. Z-5.
X60. Z-4.
N20 Z0.5
G00 X150. Z100. M09
T0707
G96 S180 M03
G00 X50. Z2. M08
G71 U1.5 R0.5
G71 P30 Q40 U-0.4 W0.1 F0.2
N30 G00 X62.
G01 Z0. F0.1
X60. Z-1.
Z-30.
N40 X50.
G00 Z100. M09
M30
%
)";

const char *const kFlange2 = R"(%
O1102 (FLANGE D120 - BOLT CIRCLE C-AXIS)
G21 G40 G98
M45 (C-AXIS ON)
T1111
G97 S2000 M13
G00 X130. Z5. C0.
G83 X100. Z-18. Q4000 F120
C60.
C120.
C180.
C240.
C300.
G80
G00 X150. Z100. M15
M46 (C-AXIS OFF)
M30
%
)";

const char *const kMillPocket = R"(%
O2001 (BRACKET 80X60 - POCKET AND HOLES)
(T1 D10 END MILL, T2 D8.5 DRILL, T3 M10 TAP)
G21 G17 G40 G49 G80 G90
G54
T1 M06
S4500 M03
G00 X0. Y0.
G43 Z50. H01 M08
Z5.
G01 Z-5. F300
G41 D01 X20. Y-10. F800
G03 X30. Y0. R10.
G01 Y15.
G03 X20. Y25. R10.
G01 X-20.
G03 X-30. Y15. R10.
G01 Y-15.
G03 X-20. Y-25. R10.
G01 X20.
G03 X30. Y-15. R10.
G01 Y0.
G03 X20. Y10. R10.
G40 G01 X0. Y0.
G00 Z50. M09
T2 M06
S2200 M03
G43 Z50. H02 M08
G99 G81 X-32. Y-22. Z-18. R3. F250
X32.
Y22.
X-32.
G80 G00 Z50. M09
T3 M06
S400 M03
G43 Z50. H03 M08
G99 G84 X-32. Y-22. Z-15. R5. F600
X32.
Y22.
X-32.
G80 G00 Z50. M09
G28 G91 Z0.
M30
%
)";

const char *const kMillContour = R"(%
O2002 (COVER PLATE - OUTER CONTOUR)
G21 G17 G40 G49 G80 G90
G54
T4 M06 (D16 END MILL)
S3200 M03
G00 X-70. Y-50.
G43 Z50. H04 M08
Z2.
G01 Z-8. F200
G41 D04 X-60. Y-40. F900
Y30.
G02 X-50. Y40. R10.
G01 X50.
G02 X60. Y30. R10.
G01 Y-30.
G02 X50. Y-40. R10.
G01 X-60.
G40 X-70. Y-50.
G00 Z50. M09
M30
%
)";

const char *const kFixture = R"(%
O2101 (FIXTURE PLATE - LOCATING HOLES)
G21 G17 G40 G49 G80 G90
G55
T5 M06 (D11.8 DRILL)
S1800 M03
G43 Z50. H05 M08
G98 G83 X-100. Y-60. Z-40. R3. Q8. F180
X100.
Y60.
X-100.
G80 G00 Z50. M09
T6 M06 (D12 H7 REAMER)
S350 M03
G43 Z50. H06 M08
G98 G85 X-100. Y-60. Z-35. R3. F60
X100.
Y60.
X-100.
G80 G00 Z50. M09
M30
%
)";

const char *const kSiemensMain = R"(; PART_A.MPF  HOUSING 140X90 - OP10
; SINUMERIK 840D
G17 G54 G71 G90 G40
T="FACEMILL_D63" M6
S2200 M3 D1
G0 X-110 Y-20 Z50
G0 Z2 M8
R1=0
LOOP_FACE:
G1 Z=-R1-0.5 F800
G1 X110 F1500
G0 Y25
G1 X-110
G0 Y-20
R1=R1+0.5
IF R1<2 GOTOB LOOP_FACE
G0 Z50 M9
T="ENDMILL_D12" M6
S6000 M3 D1
G0 X0 Y0 Z50
L_POCKET P1
T="DRILL_D6.8" M6
S3000 M3 D1
MCALL CYCLE81(50,0,2,-18,)
X-55 Y-30
X55 Y-30
X55 Y30
X-55 Y30
MCALL
G0 Z100 M9
M30
)";

const char *const kSiemensSub = R"(; L_POCKET.SPF  RECTANGULAR POCKET 80X50 DEPTH 12
G0 Z2
POCKET3(50,0,1,-12,80,50,6,0,0,0,3,0.2,0.1,800,300,0,21,40,8,3,15,5,2,0,1,2,11100,11,111)
G0 Z50
M17
)";

const char *const kHeidenhain = R"(0  BEGIN PGM HOUSING MM
1  BLK FORM 0.1  Z  X-70  Y-45  Z-40
2  BLK FORM 0.2  X+70  Y+45  Z+0
3  TOOL CALL 12 Z S6000 F1200
4  L  Z+100 R0 FMAX M3
5  L  X-80  Y-55 R0 FMAX
6  L  Z-5 R0 FMAX
7  APPR LCT  X-60  Y-35 R5 RL F800
8  L  X+55
9  RND R10
10 L  Y+35
11 RND R10
12 L  X-55
13 RND R10
14 L  Y-35
15 DEP LCT  X-80  Y-55 R5
16 L  Z+100 R0 FMAX M2
17 END PGM HOUSING MM
)";

const char *const kBarLathe1 = R"(%
O3001 (PIN D12 X 35 - BAR FEED)
G21 G40 G99
T0101
G50 S4000
G96 S180 M03
G00 X14. Z1. M08
G01 X-0.8 F0.08
G00 X12.5 Z1.
G01 Z-35. F0.15
G00 X14. Z1.
T0202 (PARTING BLADE 3MM)
G97 S1500 M03
G00 X14. Z-38.
G01 X-0.5 F0.04
G00 X14.
M09
M30
%
)";

const char *const kBarLathe2 = R"(%
O3002 (SPACER D20 X 8)
G21 G40 G99
T0101
G96 S200 M03
G00 X22. Z1. M08
G01 X10.2 F0.1
G00 X20.5 Z1.
G01 Z-8. F0.15
T0202
G97 S1200 M03
G00 X22. Z-11.
G01 X9. F0.04
G00 X22.
M30
%
)";

const char *const kBarLathe3 = R"(%
O3003 (STUD M8 X 40)
G21 G40 G99
T0101
G96 S180 M03
G00 X10. Z1. M08
G01 Z-40. F0.15
T0505
G97 S1000 M03
G00 X10. Z4.
G76 P010060 Q50 R0.02
G76 X6.77 Z-16. P610 Q200 F1.25
G00 X50. Z50.
M30
%
)";

const char *const kBarReadme = R"(Programs of the bar lathe L-102 are named by their O-number and have no
extension. This file has one, so the station does not offer it.
)";

const char *const kGrind = R"(%
O4001 (GUIDE RAIL 400X40 - SURFACE GRIND)
G21 G90
G54
M03 S1450
G00 X-10. Y0. Z5.
#1=0.
WHILE[#1LT0.12]DO1
G01 Z-#1 F2000
G01 X410. F12000
G00 Y5.
G01 X-10.
G00 Y0.
#1=#1+0.01
END1
G00 Z50.
M05
M30
%
)";

const char *const kDress = R"(%
O4002 (DRESS WHEEL A60)
G21 G90
M03 S1200
G00 X0. Z2.
G01 Z-0.02 F100
G01 X25. F300
G00 Z2.
M05
M30
%
)";

const char *const kGrindNotes = R"(Grinder G-301: wheel A60 K5 V, dress every 20 parts (O4002).
)";

const char *const kEdmPunch = R"(%
(DIE-PUNCH.ISO  PUNCH 30X20 - WIRE 0.25 BRASS)
G90 G92 X0. Y0.
M60 (THREAD WIRE)
G41 H001
G01 X5. Y0.
G01 X15. Y0.
G03 X20. Y5. I0. J5.
G01 Y15.
G03 X15. Y20. I-5. J0.
G01 X-15.
G03 X-20. Y15. I0. J-5.
G01 Y-15.
G03 X-15. Y-20. I5. J0.
G01 X15.
G03 X20. Y-15. I0. J5.
G01 Y-5.
G03 X15. Y0. I-5. J0.
G40 G01 X0. Y0.
M50 (CUT WIRE)
M02
%
)";

const char *const kEdmSecond = R"(%
(CUT2.NC  SECOND SKIM CUT OF DIE-PUNCH, OFFSET H002)
G90 G92 X0. Y0.
G41 H002
G01 X15. Y0.
G03 X15. Y0. I-15. J0.
G40 G01 X0. Y0.
M02
%
)";

const char *const kEdmOld = R"(%
(OLD1.ISO  ARCHIVED 2024 - SLOT 12X4)
G90 G92 X0. Y0.
G41 H001
G01 X6. Y0.
G01 Y2.
G01 X-6.
G01 Y-2.
G01 X6.
G01 Y0.
G40 G01 X0. Y0.
M02
%
)";

QString Number(double value)
{
    QString text = QString::number(value, 'f', 3);
    // Fanuc style: "12.5" -> "12.5", "3.000" -> "3."
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text == QLatin1String("-0."))
        text = QStringLiteral("0.");
    return text;
}

double Surface(double x, double y)
{
    return -6.0 + 4.0 * std::sin(x / 14.0) * std::cos(y / 11.0) - 0.0008 * (x - 60.0) * (x - 60.0);
}

} // namespace

QByteArray SurfacingProgram(const QString &name, int passes, int pointsPerPass, bool siemens)
{
    const double width = 120.0;
    const double depth = 80.0;
    QString out;
    out.reserve(passes * pointsPerPass * 32 + 1024);
    if (siemens) {
        out += QStringLiteral("; %1  FREEFORM FINISHING, BALL NOSE D6\n").arg(name);
        out += QStringLiteral("G17 G54 G71 G90 G40\nT=\"BALL_D6\" M6\nS12000 M3 D1\nG0 X0 Y0 Z50\nCYCLE832(0.01,_FINISH,1)\n");
    } else {
        out += QStringLiteral("%\nO2003 (%1 - FREEFORM FINISHING, BALL NOSE D6)\n").arg(name);
        out += QStringLiteral("G21 G17 G40 G49 G80 G90\nG54\nT7 M06\nS12000 M03\nG05.1 Q1\nG00 X0. Y0.\nG43 Z50. H07 M08\n");
    }
    int block = 10;
    for (int pass = 0; pass < passes; ++pass) {
        const double y = passes > 1 ? depth * pass / (passes - 1) : 0.0;
        for (int point = 0; point < pointsPerPass; ++point) {
            const int index = pass % 2 == 0 ? point : pointsPerPass - 1 - point;
            const double x = pointsPerPass > 1 ? width * index / (pointsPerPass - 1) : 0.0;
            const double z = Surface(x, y);
            // CAM output is modal: Y only where a new pass begins.
            const bool newPass = point == 0;
            if (siemens) {
                out += QStringLiteral("N%1 G1 X%2").arg(block).arg(x, 0, 'f', 3);
                if (newPass)
                    out += QStringLiteral(" Y%1").arg(y, 0, 'f', 3);
                out += QStringLiteral(" Z%1").arg(z, 0, 'f', 3);
            } else {
                out += QStringLiteral("N%1 G01 X%2").arg(block).arg(Number(x));
                if (newPass)
                    out += QStringLiteral(" Y%1").arg(Number(y));
                out += QStringLiteral(" Z%1").arg(Number(z));
            }
            if (pass == 0 && point == 0)
                out += siemens ? QStringLiteral(" F2500") : QStringLiteral(" F2500.");
            out += QLatin1Char('\n');
            block += 2;
        }
    }
    if (siemens)
        out += QStringLiteral("G0 Z50 M9\nCYCLE832()\nM30\n");
    else
        out += QStringLiteral("G00 Z50. M09\nG05.1 Q0\nG28 G91 Z0.\nM30\n%\n");
    return out.toLatin1();
}

QList<DemoFile> DemoProgramFiles()
{
    return {
        {QStringLiteral("lathe-l101/O1001.NC"), Text(kShaft)},
        {QStringLiteral("lathe-l101/O1002.NC"), Text(kThread)},
        {QStringLiteral("lathe-l101/SETUP.TXT"), Text(kSetupSheet)},
        {QStringLiteral("lathe-l101/flange-2025/O1101.NC"), Text(kFlange1)},
        {QStringLiteral("lathe-l101/flange-2025/O1102.NC"), Text(kFlange2)},
        {QStringLiteral("lathe-l101/.backup/O1001.NC"), Text(kShaft)},
        {QStringLiteral("lathe-l101/.O1002.NC"), Text(kThread)},
        {QStringLiteral("mill-m201/O2001.NC"), Text(kMillPocket)},
        {QStringLiteral("mill-m201/O2002.TAP"), Text(kMillContour)},
        {QStringLiteral("mill-m201/O2003.NC"), SurfacingProgram(QStringLiteral("MOULD INSERT 120X80"), 101, 121, false)},
        {QStringLiteral("mill-m201/fixtures/O2101.NC"), Text(kFixture)},
        {QStringLiteral("mill-m202/PART_A.MPF"), Text(kSiemensMain)},
        {QStringLiteral("mill-m202/L_POCKET.SPF"), Text(kSiemensSub)},
        {QStringLiteral("mill-m202/HOUSING.H"), Text(kHeidenhain)},
        {QStringLiteral("mill-m202/FREEFORM.MPF"), SurfacingProgram(QStringLiteral("FREEFORM.MPF"), 41, 81, true)},
        {QStringLiteral("lathe-l102/O3001"), Text(kBarLathe1)},
        {QStringLiteral("lathe-l102/O3002"), Text(kBarLathe2)},
        {QStringLiteral("lathe-l102/O3003"), Text(kBarLathe3)},
        {QStringLiteral("lathe-l102/README.TXT"), Text(kBarReadme)},
        {QStringLiteral("grinder-g301/O4001.NC"), Text(kGrind)},
        {QStringLiteral("grinder-g301/O4002.NC"), Text(kDress)},
        {QStringLiteral("grinder-g301/notes.txt"), Text(kGrindNotes)},
        {QStringLiteral("edm-e401/DIE-PUNCH.ISO"), Text(kEdmPunch)},
        {QStringLiteral("edm-e401/CUT2.NC"), Text(kEdmSecond)},
        {QStringLiteral("edm-e401/archive/2024/OLD1.ISO"), Text(kEdmOld)},
    };
}

QStringList DemoEmptyFolders()
{
    return {QStringLiteral("lathe-l101/received"), QStringLiteral("mill-m202/received"),
            QStringLiteral("saw-s501")};
}
