// The digits 0 to 9 of a few typefaces, framed as the reader frames a printed
// character (see reading/Glyph.h): 24 x 36 samples, one hex digit each, 0 for
// paper to f for full ink, row by row, with runs of 0 and f shortened (see
// reading/ReferenceGlyphs.h). Made by scripts/make-reference-glyphs.py
// from these fonts of Debian's (the glyphs are drawn at 2400 dpi and averaged
// down; no font data is copied):
//   OCR-B: fonts-ocr-b 0.3: OCR-B by Matthew Skala after Norbert Schwarz; public domain.
//   OCR-A: fonts-ocr-a 1.0: OCR-A by John Sauter; public domain.
//   TeX Gyre Cursor: fonts-texgyre: a Courier by B. Jackowski and J. M. Nowacki; GUST Font License.
//   TeX Gyre Heros: fonts-texgyre: a sans serif by B. Jackowski and J. M. Nowacki; GUST Font
//   License. DejaVu Sans Mono: fonts-dejavu-core: Bitstream Vera licence, DejaVu changes public
//   domain. DejaVu Sans: fonts-dejavu-core: Bitstream Vera licence, DejaVu changes public domain.
// and the 3s of these lookalikes (see scripts/lookalikes.py):
//   DejaVu Sans Mono: fonts-dejavu-core: Bitstream Vera licence, DejaVu changes public domain.
//   OCR-A: fonts-ocr-a: OCR-A by John Sauter; public domain.
//   JetBrains Mono: fonts-jetbrains-mono: Apache 2.0.
//   B612 Mono: fonts-b612: OFL 1.1.
//   League Mono: fonts-league-mono: OFL 1.1.
//   PT Mono: fonts-paratype: ParaType Free Font Licence.
//   Manrope: fonts-manrope: OFL 1.1.
//   IBM 3270: fonts-3270: BSD 3-clause or OFL.
//   Monoid: fonts-monoid: MIT or OFL 1.1.
//   draft 5x7: a 9-pin draft 3 drawn dot for dot.
//   draft 7x9: a 9-pin draft 3 drawn dot for dot.
#include "reading/ReferenceGlyphs.h"

#include <iterator>

namespace fontprobe {

const ReferenceFace kReferenceFaces[] = {
    {"OCR-B",
     true,
     {
         "zzzzzg11w17cIc71r3dMe3p2eOe2oaHb64349Hbn2H9k7H3m7Ge1ldG8maG9m8GcmdG6m4Ge"
         "mH4m2H1k2H3m1H3k2H2nH4k3H1nH5k4H1nH5k4H1nH5k4H1nH5k3H2nH5k2H2m1H4k1H4m2H"
         "2leG6m5HmbGam9Gcm7H1k1eG8m2Hak9H3n9Hc6556bHbo1dOe2p2cMe3s5aeHd81x1zzzzzg",
         "zzzzzzzzo2bdc3w3dHcv4eIdu6Kdt8IdGdr1aI67Gdr7He407Gdr6Gd2g7Gds681h7Gdy7Gd"
         "y7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gdy7Gcy2de5zzzw",
         "zzzzy2577752t6cLb3p2cP5oaJdcdJ3n9Gc51h19Hbn176m9H1x1H5yeG6x1H5x8H2w4Hbw6"
         "I3u1aI7u5eI7t1aIe4t2cIa1t1dHd5vcHa1v6HaxdGdx3H6x5H2x6H22222222221n6Re3m6"
         "S8m2eR4n13333333333331zzzzzy",
         "zzzzzzzaR8m3T1l1eS2m1555555555bHdw7He2v6He3v5He3v5He4v4I4v4eHb2vbKa2t9M6"
         "t578bJ5w18He1x5H7ybGcy7Gey6Gey8GdydGax9H5m8b61j4bHcm4IdbbbeIe2m3Qd3o6dMe"
         "71r36899973zzzzzg",
         "zzzz65z9G6x1H8x8H2w1eGax7H3xeGbx6H3xdGbx5H4xcGcx4H5i3sbGdibfcq3H6h1H3paG"
         "e1h1H3o2H7i1H3o9Ge1i1H3oeGeaaaaabHca91leT8lcT8l299999999aHb981u1H3x1H3x1"
         "H3x1H3ydfe1y152zzzzzzzi",
         "zzzzzzzh6ccccccccccb4o1Qdo3Qbo4H8888888871o5Hy5Gey6Gdy7Gdy8Ge99741t9Ma2r"
         "8O6q1acbbbdJ6w17eGe2x3H8y9Gdy5H1x3H2x4H1x9Gex3H9w3eH2u4aI7p3789beJ9p2O7q"
         "3Le92s8ccb974zzzzzh",
         "zzzz05day5H5w4I3v2eH6v1dH7wbH8w9Haw5Hc1v1eGe2waHa7764s3Ne81paPd2n2KdceId"
         "1m6I71h3bH8maH5lcGemdGbm3H4lH7neG7k1H4ncG8lH4ncG8leG7neG6laGdm5H3l5H9k3e"
         "GdncHd74359I5n2eP9p2cN7s5beHd82w121zzzzzzzl",
         "zzzzzzzzzzn4eRe5lbTcl7Tcm355555555555eG9x6H4w2eGcxcH4w9H9w6Hc1v3He2v1dH4"
         "w9H7w3HbxaGe2w1H8x6H2xbGbyeG7x2H3x4H1x6Gey7Gdy8Gcy8Gby6G9z56zv",
         "zzzzz01331v17dIc6s3dMd2p3eOe2obHa5225bHan1H7k9Hn3H2k3H2m2H4k5H1neGcj1dGc"
         "o8Hc3g4dH6pcIbbIbq1bMa1r1cKcs2cMb1p2dHe87eHc1ocHb2g2cHbn7H9kaH6meGbmcGcl"
         "3H3m5H2k5Gen2H3k5Hn2H3k2H6m8H1lcGe5k6Ham4Ic8667cI2n7Q6p5dMe5s5aceeeb71zz"
         "zzzz0",
         "zzzzzzzl232w18dIb5s5eMb1p6Pc1n3Ia4237dH9nbH5j1bH2l2H8l2eG8l6Ge1maGcl9Gbn"
         "7GelaGan6Gel9Gcn7Gel6H2maGcl1Hbl2eG9m9Hc4h16dH4m1dJeeJeo2cP8q7dMe1s3566b"
         "H7w3Hdw1cH3waH8w8Hcw7Hd2v7He3v4He4w6Ge4x19b3zzzz0",
     }},
    {"OCR-A",
     false,
     {
         "zzzzzz566666666654o1cQc1m9S9mdGdccccccccdGdmdG4m4GemeG4m4GemeG4m4GemeG4m"
         "4GemeG4m4GemeG4m4GemeG4m4GemeG4m4GemeG4m4GemeG4m4GemeG4m4GemeG4m4GemeG4m"
         "4GemeG4m4GemeG4m4GemeG4m4GemeG4m4GemdG4m4GemdGcbbbbbbbbcGdmaS9m2dQd2n168"
         "88888888861zzzzzy",
         "zzzr6999999992r3N3r3N3s699999H3yH3yH3yH3yH3yH3yH3yH3yH3yH3yH3yH3g4ee3sH3"
         "gaG7sH3gaG8sH3gaG8sH3gaG8sH3gaG8sH3gaG8sH3gaG8mbeeeeeIeeH8l4T7l1eS4m1444"
         "44444444443zzzzzzzzj",
         "zzzzzx289999999999872nbRe3mbScm299999999999bHy3Hy3Hy3Hy3Hy3Hy3Hy3Hn28aaa"
         "aaaaaabHm2eRbm9Re3mcGa88888888871ncG6ycG6ycG6ycG6ycG6ycG6ycG6ycGeeeeeeee"
         "eeed6mcSemcSbm4444444444444441zzzzzx",
         "zzzzzv178888877777761naRe3mbScm2abbbbbbbbbbcH1x3H1x3H1x3H1x3H1x3H1x3H1x6"
         "Hp18999999aHap8P3p9P3p18999999aeGby5Hy3H1x3H1x3H1x3H1x3H1x3H1l4ccccccccc"
         "ccdH1lbSbm9Rd2n56666666666651zzzzzz0",
         "zzzzzz2z0bfby1H1x2H2k55p2H2j6G7o2H2j9G9o2H2j9G9o2H2j9G9o2H2j9G9o2H2j9G9o"
         "2H2j9G9o2H2j9G9o2H2j9G9o2H2j9G9o2Ha99999dGd5n2S2m2S2m1999999999dGd5x9G9y"
         "9G9y9G9y9G9y9G9y9G9y8G8y1991zzzzzz",
         "zzzzzz9eeeeedddddd6paPepaPcpaGa555555551paG8yaG8yaG8yaG8yaG8yaG8yaG8yaNe"
         "8qaP8paPep2333333335Hy3Hy3Hy3Hy3Hy3Hm175n3HmbGe844333336HmbSem2aR7o28dMd"
         "7zzzzzzzh",
         "zzq9dda1w5I6w5I3w5Ge3x5Gdy5Gdy5Gdy5Gdy5Gdy5Gdy5Gdy5Gdy5Gdy5Ge55555555555"
         "3m5T4l5T7l5HeeeeeeeeeH8l5GdnaG8l5GdnaG8l5GdnaG8l5GdnaG8l5Ge333333333cG8l"
         "5T8l5T7l1bRd2zzzzzzzzzzm",
         "zzzzzzzzzznacccccccccccccc5l5T6l6T6l5Gc666666666dG6m8a3ncG6ycG6ycG6ycG6y"
         "cG6x4eG6w5I4v8I7vaHe5u1bHd3vcHc2v1Hb1w1H2x1H2x1H2x2H2x2H2x2H2x2H2x1H1yaf"
         "az01zu",
         "zzzzy44444444t7M9sbMcsbGeeeeGcsbG7g6GcsbG7g6GcsbG7g6GcsbG7g6GcsbG7g6Gcsb"
         "G7g6GcsbG7g6Gcr5dGa66aGd5o1cQd2m9SamdGdccccccccdGdmdG4m3GemdG4m3GemdG4m3"
         "GemeG4m3GemdG4m3GemdG4m3GemdG4m3GemdGb99999999bGemaSbm2eQe3n179999999999"
         "72zzzzzzzg",
         "zzzzzzzzzzm2dRc1l7T5l7T5l8Gc333333333dG5l8GandG5l8GandG5l8GandG5l8GandG5"
         "l8GecccccccccH5l8T5l4T5m356666666666eG5ydG5ydG5ydG5ydG5ydG5ydG5ydG5ydG5y"
         "dG5x2dG5w3I5w6I5w1bdda1zzp",
     }},
    {"TeX Gyre Cursor",
     false,
     {
         "zzzzzzh38aa83u19K91sbfb3g3bfbr8f9k9f8p2fcmcf2o8f4m4f8oddoddn2f9o9f2m5f6o"
         "6f5m6f4o4f6m7f3o3f7m7f2o2f7m7f2o2f7m7f2o2f7m7f2o2f7m7f3o3f7m6f4o4f6m4f6o"
         "6f4m2f9o9f2ndeoedo8f5m5f8o2fd1k1df2p7fakaf7rafc5115cfat8K8v269961zzzzzzh",
         "zzzz01y49d7u15aeH7t8Hb65f7t7a61g3f7z3f7z3f7z3f7z3f7z3f7z3f7z3f7z3f7z3f7z"
         "3f7z3f7z3f7z3f7z3f7z3f7z3f7z3f7z3f7t2555557f9555554ncS1m244444444444443z"
         "zzzzzzzi",
         "zzzzy16acb94u6eGddGc2rafc4h28fe3p9f8l3ee1n3fan4f8n8f2ocen69p8f2z8f2zbdz4"
         "f6y2dcy1ce2x1cf4x1cf5x1cf6x2df5x2de4x3ee3x4ee3x4ed2x5fd2n3n6fc1n4f4l5fb1"
         "o5f5l7fcbbbbbbbbbbbcf5l6eeeeeeeeeeeeeee4zzzzzzzzi",
         "zzzzzz159bca72s18eGddeG9q2dfb4i4bfbpbf6m9f7o55ocez07f3z6f4z8f2y1ecy1bf3t"
         "13348ee4uaIa1v378bfe81y18fc1z4ecz05f7z0cdz08f2z8f2zafz2fbm75o1bf4mcfa2l2"
         "cf8n1aGb64235aG8q39eKb3u367752zzzzzzj",
         "zzzzzzj1eGax8fafaw2f90eawbe10eav5f6geau1dcheau7f3heat2eaieatae1ieas4f7je"
         "ascdkear6f4keaq1ealeaq9f2leap3f8meapbe433333333fb32ncS1m57777777777fc75y"
         "eaz0eaz0eaz0eaw5777fc75t1M1t23333332zzzzzzzh",
         "zzzzzzzg3eeeeeeeeeeec1o4fdbbbbbbbbba1o4f6z4f6z4f6z4f6z4f6z4f6z4f60157874"
         "s4fabKe6q4Ge852237df9p1a6l1bf6z1de1z6f5z1f9z0ebz0dbz0faz3f8z8f3l2b2o2ecm"
         "3fe5m2df4n4efb5i16ef6p18efecbcGe5t59cdda61zzzzzzg",
         "zzzzzj14431u17dIe6s6efd9657b8r9fd5xafa1x7fay2ecz9f3y1faz6f4zaej12tdbg18e"
         "Gea3qf903dfc88bG6o1f82ee4i3df4n1f8be3k2ed1nfdf5m6f6nefan1eance1ocdn9epbd"
         "n4f5odcoebn1f9o7f4m8f4o1dd1k3fcq3ed4i5ee2r4efdaadfd3t18cfec71zzzzzzzi",
         "zzzzzzzzzzzqccccccccccccccbnfedddddddddddeenfapbene9o1fan42o5f6zaf1zebz4"
         "f7z9f2zdcz3f8z8f3zcdz2f8z7f4zbez1f9z6f5zae1y1eaz5f5z9f1zebz2f6z051zt",
         "zzzzzzh48aa84u3cKc3r4ee82g28ee4p1ee3k3ee1o9f4m4f8oecocdn1f9o9f1m1f9o9f1n"
         "ddoddo7f6m6f7pbf6k6fbr9fc7557cf9t7K7s1afc7557cfa1p1ce5k5ec1o9f4m4f9n2f9o"
         "9f2m6f4o4f6m7f3o3f7m6f4o4f6m3f8o8f3nce2m2eco3fd2k2df3p5fe831139G5r3cKb3u"
         "379973zzzzzzh",
         "zzzzzzzi18cGc71t4efdaadfd3r3ee5i4ee3qde3k2edp5f7m5f6oaf1ncdodco6f3neao1f"
         "8nebo2fbnbeoafdn7f5m5fden1ed1k3ea9fo5fc2i5ed19fp6Ga88cfd20aeq3aHd81gcct2"
         "1i1f9z5f5zbe1y4f8y1de1ybf6x1bf9x6df9r9b7569efe6s7Jc71u14431zzzzzj",
     }},
    {"TeX Gyre Heros",
     false,
     {
         "zzzw146641u3bKb3r6O7p6IebbeI6n2eH7i7He2m9H6k6H9l1eGbmbGe1k5H5m5H5k9H1m1H"
         "9kcGcocGckH9o9Gej2H7o7H1i3H6o6H3i4H5o5H4i4H5o5H4i4H5o5H4i4H5o5H4i3H6o6H3"
         "i2H7o7H2jH9o9HkdGbobGdkaGeoeGak6H3m3H6k2H9m9H2laH2k2eGam3Hc2i2cH3n8He855"
         "9eH8p9O9r6dKd6u479974zzzw",
         "zzzzzh121y1G7y5G7ybG7x6H7v39I7r28beK7r5N7r5N7s111112H7x1H7x1H7x1H7x1H7x1"
         "H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7x1H7y4442zzt",
         "zzv11w28cId93r9Ob1obQd2m7I83g27eHd1k1eGe3k1cH7k6H7m2eGdkbGe1n9H2jdGbo5H4"
         "jH8o4H5i1bbb5o6H4xbH1w5Haw4eH3v7I7u4dI8t3bIe6s19Jb2s4dIc4t8Id5u9I7v7Hd3v"
         "2Hc1w9Ge2xeG9x4H633333333333333j7W2i9W2iaW2i34444444444444444441zzzzs",
         "zzzu26899751s4cMa2p7Pe4n5Id978aeHe2mdH6j1bHbl5H7mdH2kaGe1m6H5kdGbn2H7keG"
         "8n2H7k8884n3H6x8H2w6Has678aeHc1r1Ke7t1La3s1889beI6x6eH4x4HcyaH2x5H4i7bbb"
         "p4H5i7H1o5H4i5H4o8H2i1HaodGdkbH4m9H8k4I71i3aHe1l8JcbbdIe3n8Pd3p4bLc71s13"
         "56642zzzx",
         "zzzz02debycGcx8Hcw4Icv1dIcvaJcu6GecGct3eG4bGctcG90bGcs9GcgbGcr4H3gbGcq1e"
         "G6hbGcqbGbibGcp7Ge1ibGco3H4jbGcn1dG9kbGcn9GclbGcm5H3lbGcmaGc77777777dGd7"
         "777iaXiaXi7aaaaaaaaaaaeGeaaaaubGcybGcybGcybGcybGcybGcy5886zzzzx",
         "zzzzv8aaaaaaaaaaaaaandRenSem2Hcccccccccccbm5H1x7Gdy9GbybG9ydG6yH40378985"
         "2p2H5cLb3n4S6m7Jd989bJ5l9He4j2bHe2kbGd2maH9k2221n1eGey9H3x5H5x3H6x3H6i23"
         "32p4H4i8H1o7H1i4H7odGckdGe2m8H6k6Hd3j18HcmbIb867aeHe2m1cPd3p8eLe81r158aa"
         "a851zzzv",
         "zzzw16abcb83t8Ma1p1cOd2obHe8558eHcn7Ha1i1bH6l1eGcl1eGcl7H3m8H1kcGbn29992"
         "j1H6x5H2x7Hj11raGdg4aeHd82nbGc1aN7mcGbcP9ldJd621149I6kdIa1k5He1jdHcn8H6j"
         "cH5n1HajbH1ocGdjaGepbGej8GepbGdj4H2ocGcj1H6n2H9kbGd1m9H4k4Hb1k6HcmbHd51g"
         "3aI3m1dJeK6o2cNe4r5bJc71v2321zzzw",
         "zzzzzzzzzj69999999999999999993iaW4iaW4i9ddddddddddddddeH2xcG6x9G9x4Gc1w1"
         "eG3xaG7x4Gdx1dG4x7Gax1eG2x9G9x2H2x9Gax1eG3x7GcydG6x5H1xaGbx1H6x6H1xbGcx1"
         "H8x5H5x9H2xcGes",
         "zzzv15799751s19eKe91p3dOe3n2eHea88aeHe2maHa1i1aHal2HcmcH2k6H5m5H6k7H2m2H"
         "7k7H2m2H7k6H5m5H6k1HcmcH1l7Hb2i2bH7n8Ib99bI8p4eMe4p2bOb2n4eHc8668cHe4l3e"
         "Ge5k5eGe3kcH3m3Hcj3H8o8H3i6H3o3H6i8H1o1H8i7H2o2H7i5H5o5H5i2HbobH2jbH7m7H"
         "bk3I92i2aI3l6JdbbdJ6n5eOe5p18dKd81t256652zzzw",
         "zzzw1232v16cJb6r4dNc2o5JedJd2m3Ia3h4cHbmbH6laH5k3H9ndGck8H2n6H2jbGdo1H6j"
         "dGbpeG9jdGbpdGbjcGdo1HdjaH2n5Hej5H8ncHej1eH5laIek6Ia41026dJel9PcbGdm7eMa"
         "1bGcn28cHea4gcGbr11jeG9x2H6x5H2j29993naGdk1H8m2H7lbGe1lbGe1l5Hc1i1aH8nbH"
         "e8558dHco1dOc1p1aM81s38bcca61zzzw",
     }},
    {"DejaVu Sans Mono",
     false,
     {
         "zzv11x6cIc6s3dMd3p3eOe3odHc4114cHd1m7Hc1i1cH7meH2k2Hel4HamaH5k9H5m5H9kcH"
         "2m1HdkHeoeH1i2HcobH3i4HaoaH4i5H9h3a93h9H5i6H9g3I3g8H6i6H8g8I8g8H6i6H8g8I"
         "8g8H6i6H9g2eGe2g8H6i5H9h2771h9H5i4HaoaH4i2HcobH3jHeodH1jcH2m1Hdk9H5m5H9k"
         "4HamaH5leH2k2Hem7Hc1jcH7ndHc4114cHd1n3eOe3p3dMd3s6cIc6x11zzv",
         "zzr36adeee9r7cMarcNarcIdbHarcc95203Hax3Hax3Hax3Hax3Hax3Hax3Hax3Hax3Hax3H"
         "ax3Hax3Hax3Hax3Hax3Hax3Hax3Hax3Hax3Hax3Hax3Har1222224Hb222221l5Tbl5Tbl5T"
         "bl13333333333333332zzzzt",
         "zzq268aaa862q28dNa2n3S5m3Jca9adJ5l3Gc61j4dHe1k3c4n1eH8x6Hcx2IyIx1Ix3Hcx8"
         "H7w1eGe1waH7w6Hcw3He2v2eH4v1dH6v1cH7wbH8waH9w9Haw9Hbw8Hc1v7Hc1v6Hd1v4I86"
         "666666666661j7V3j7V3j6eeeeeeeeeeeeeeeee3zzzzt",
         "zzq134442s47adKea4o1Ra1m1Sc1l1fea742g149Iam5o4I3x9H8x4Hax3Hbx4Hax8H7w4He"
         "1u39I5qceeeJd4reKe6teLe81r444569eHd2w19Hd1x8H9x1eGe1x9H4x7H6x8H6xaH5w1eH"
         "3j2q9Hdkeb51l2aI6keHc97668bJbleSb1l9ePe7p369bcdddb95zzzx",
         "zzzzaeeee2v5J2u1dJ2u9K2t3GbcH2tcG2cH2s7G80cH2r2efe10cH2rbG5gcH2q6GbhcH2p"
         "1eG3hcH2paG9icH2o4Ge1icH2n1dG6jcH2n8GckcH2m3H3kcH2mcG9lcH2l7Ge1lcH2k1eG6"
         "mcH2k2HeeeeeeeeeIeeeeh2Yh2Yh1444444444444dH6444ucH2xcH2xcH2xcH2xcH2xcH2x"
         "2333zzzu",
         "zzzr788888888888886ndRdndRdndGeccccccccccandGbydGbydGbydGbydGbydGbydGb47"
         "99862rdOc4pdQ9odGecbbceJanb83k5dI6w1bHe1w1eH5x8H9x3Hcx1Hex1Hex2Hdx4HbxaH"
         "8w3I3j2a4n4eHbk2Gd9532236bIe2k2Se4l2Rc2n38beKea4t123331zzv",
         "zzu269aaa841r3bN9p6Peo6Jca9acGen3Ia2j16bncH8w4HbxaH2xeGbx4H6x6H3h24431p9"
         "Hg4cJc6naGe08Nc1lbGd6HeccJd1kcGdefe5h16eH9kcIe2k3I2jcI6m9H7jbHen3HbjbHao"
         "Hdj9H8odHj8H8odHj5H8odHj2HaoHekdGdn3Hbk9H4m8H8k3Hd1k2eH3laHc2i3dHam1dIc9"
         "9cId1n2dOd2p18eKe81t467764zzzv",
         "zzzzzzzz01eeeeeeeeeeeeeeeeee3i1W3i1Vej166666666666669H9x9H3w1eGcx6H6xcH1"
         "w2Hax8H4xeGdx5H8xbH2w2Hcx8H6xdGe1w5HaxaH4w2Hdx7H7xdH2w4HbxaH5w1He1w7H9xd"
         "H3w3Hdx9H7w1eH1r",
         "zzt134431t17cKc71p3dOd3n3eIdbbdIe3mdHc3i3cHdl5He1k1dH5k9H7m7H9kbH4m3Hbkb"
         "H2m2HckaH3m3Hak6H6m6H6k1eGd1ldGe1l5Hb2i2bH5n5eHb99bHe5p18eKe81q6cMd6o2cH"
         "ea88aeHc2l1dH8k8Hd1k8H8m8H9keGe1m1eGe1i4HaoaH4i6H8o8H6i7H8o8H7i6H9o9H6i4"
         "HdodH4i1eH5m5I1j9He4k3eH9k1eIa5335aIe1l3eQe3n2aOa2q27acddca72zzzu",
         "zzzu1467763t19eKe7q3eOc2n2eIc99cIc1mcHc2i3dH8l4Hd1k1eH2k9H6m6H7kdH1m1eGc"
         "kHdocH1i2HcoaH4i2Hbo9H6i1HcoaH8jHeocH9jcH2m1Iaj8H7m7Iaj3He2k3eIbkaHe5i6e"
         "feeGak1dIecceH5eGal2cN70H9n7dJb402H7p14441h4H5x8H2xcGdx4H9xcH3w9Hbnc61j3"
         "bHe2nHca9adJ5oPe5paNa2r158aaa962zzu",
     }},
    {"DejaVu Sans",
     false,
     {
         "zzu1331v29dIe92r7O7p8JeeJ8n5I92g28I6l1eH6k5He1k7Ham9H7kdH3m2Hdj3HcobH3i6"
         "H8o7H7i9H5o4HaicH2o2HcidH1pHeiIqeHh1HeqdH1g1HeqdH1g1HeqdH1hHeqdH1hIqeHid"
         "H1pHeicH3o2Hci9H5o4Hai6H8o8H6i2HcocH3jcH3m2Hdk6HbmaH7ldH7k7Hd1l4Ia3g3aI5"
         "n7Q7p5eMe6r17cIc71w11zzv",
         "zzq147adeeeaq2adMbq3Obq3JecHbq3eb85203Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hb"
         "x3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3Hbx3HbraU2kaU2kaU2k3444444"
         "44444444441zzzzs",
         "zzq47abcca84q5aeNd6naSb1laIeb888bJclafe93k1aI7k971o9Hex1eH4x9H6x7H7x8H6x"
         "bH4w2He1wbH8w6He1v3I5v2eH8v2dHav2dHbv1dHbv1cHb1u1cHc1u1cHc1u1cHc1u1cHc1u"
         "1cHd1u1bHd1vaI86666666666664jdVajdVajceeeeeeeeeeeeeeeee9zzzzt",
         "zzr23321s37adKda4o8Rc2m9Se3l9fea7432236bIe1k44o4eH8x6Hdx1IydH1xeGex3Hbxb"
         "H5v4cH9p4aaabceI8q6M92r6Na2q388889cJ6w29I5x7He1xbH5x6H9x3Hbx3Hbx5HaxaH7w"
         "4I2i693o6Iaj7Gd96433469dIe2j7Td2k5eR91m148bdJda61u111zzy",
         "zzzzbeeee6v7J7u2eJ7ubGeH7t6Gd8H7s2eG47H7sbG907H7r6Ge107H7q1eG5g7H7qaGbh7"
         "H7p5Ge2h7H7o1eG6i7H7oaGcj7H7n5H2j7H7m1dG8k7H7m9Gdl7H7l4H3l7H7k1dG9m7H7k8"
         "Gd1m7H7kaGeeeeeeeeeeeHeeee8gaY9gaY9g4666666666666aHa6664t7H7x7H7x7H7x7H7"
         "x7H7x7H7x24442zzzt",
         "zzzq28888888888888882l4T3l4T3l4Hdccccccccccc2l4H5x4H5x4H5x4H5x4H5x4H5x4H"
         "65899852q4Pc5o4Rb1m4HecbbceJc1l4c62k4cIbx9I4xaHbx2I1xcH3xaH5x9H5xaH5xdH3"
         "w4Hew1dH9j771n2cI3j8fea631g149J8k8T9l8Re6m159cMb61s234442zzv",
         "zzv36899752s7dMd7o3dPdn4eIecbbcHdm2eHc5j149cmcHao1l6HbxdH2w5Hax9H5xdH1h1"
         "232p1Hcg5bJb6m3Ha1bNd3k5H9cIeeJe4j6Ke61g16eHe1i6Jd2k2dH9i6J4m4I1h5IcocH5"
         "h4I7o7H8h3I5o5Hah1I4o4HbidH4o4Hbi9H6o6H9i5H9o9H7jeGe1m1eH2j8H9m9Hck1dH8k"
         "8I4l3Id9669dI7n4eP8p2aMc4s269aa973zzzu",
         "zzzzzzzz06eeeeeeeeeeeeeeeeee4i6W5i6W1i36666666666666bHaxdH4w3Hdx9H8w1eH2"
         "w6HbxbH5w2He1w8H9xdH3w4HcxaH7w1I1w7HaxdH4w3Hdx9H8w1eH2w6HbxbH5w2He1w8H9x"
         "dH3w4HcxaH7w1I1r",
         "zzu2332u17cKc71p6eOe6n8KeeK8l4Ic51g15cI5kcHbmaHcj1I2m1eH2i4HbobH4i4Hao9H"
         "5i3HaoaH4jeGeodGe1j9H6m6H9k1dH6k6Hd1l2cHda88adHc2o6bMc6p28eMe92n5eHeb99b"
         "eHe6l5I71j6eH6j1eH4m3He2i8H9o8H8icH3o2HcieHqIiIqeHieH1o1HeicH5o4Hci8Hcob"
         "H8i2I9m9I3j8Id62g26cI9lbSbn7eP8p17beIeb71u1111zzu",
         "zzzu279aa962s3bMb2p7Pe5n7Ie9668dI4l3I91j8He1kbHam8H8j2He1m1eGe1i6Hao8H5i"
         "8H6o5HaiaH5o3HdiaH4o3I1h9H5o4I3h8H8o6I5h5HcobI6h1eH5m3J6i8He2k2dJ7i1dHe7"
         "1g16eK6j3eJeeIc9H5k3cNb1aH4m6bJc5gcH2p2331iHex4Hax9H5w2HexbH7l1o9Hdmca41"
         "j5cHe3mcHcbbceIe4ncPd3o7cMd71r25799863zzv",
     }},
};

const std::size_t kReferenceFaceCount = std::size(kReferenceFaces);

const ReferenceThree kReferenceThrees[] = {
    {"OCR-B", PrintMethod::Laser, true,
     "zzzzzzzaR8m3T1l1eS2m1555555555bHdw7He2v6He3v5He3v5He4v4I4v4eHb2vbKa2t9M6"
     "t578bJ5w18He1x5H7ybGcy7Gey6Gey8GdydGax9H5m8b61j4bHcm4IdbbbeIe2m3Qd3o6dMe"
     "71r36899973zzzzzg"},
    {"OCR-B", PrintMethod::Pins24, true,
     "zzzzzx22112211221122n7S5l9cefeeefeeefeeef4l79aa99aa99aaceef4w2beef5v2I1v"
     "4bfea5v49efa6v2beef5v2I1v4bfeeec3u6efeeef84t6efeeefea2t1107J1v155ceec3x7"
     "bef4y6ef5y7G5y6ef4y6ef4x17ef5xcH5m4bc3i4bcdee61l49ef866769efecanbeefeeef"
     "eeefeap7O6q155445544551zzzzz"},
    {"OCR-B", PrintMethod::Pins9, true,
     "zzzzzzzzg4dbdbdbdbdbdbdbdalaU3k6fefefefefefefefd1l101010129696951uaK2u9K"
     "2t32845353t8He1waI3w3a8a8x4dbdbdbdataM3s6fefefefd1t1010129685xaI2w9I2x84"
     "84x8He1waI3w3a8a8l4dbdbdbdbdbdbdanaS3m6fefefefefefefd1n1010101010101zzzz"
     "zzg"},
    {"DejaVu Sans Mono", PrintMethod::Laser, false,
     "zzq134442s47adKea4o1Ra1m1Sc1l1fea742g149Iam5o4I3x9H8x4Hax3Hbx4Hax8H7w4He"
     "1u39I5qceeeJd4reKe6teLe81r444569eHd2w19Hd1x8H9x1eGe1x9H4x7H6x8H6xaH5w1eH"
     "3j2q9Hdkeb51l2aI6keHc97668bJbleSb1l9ePe7p369bcdddb95zzzx"},
    {"DejaVu Sans Mono", PrintMethod::Pins24, false,
     "zzzr9efeeefeecp2a9cefeeefeeda94m3fedefedefedefe94l4Tdl4f42222222225feecl"
     "171n3feeda1v3dedef2xeH3xeeef2v2adec71v3fedcx4Hdp4feeefeeefe82p3feeefeec7"
     "63q3fedefedc541q4O8r222222aefeecw467deda1xedef2xeH3xeeef2xdeef2xedef2xeH"
     "3xeeef2j2a1n2adec71j3f63454345437fedcl4Tdl4feeefeeefeeefe82l17668feeefea"
     "6763q3dcbcdc6zzv"},
    {"DejaVu Sans Mono", PrintMethod::Pins9, false,
     "zzzp2a8a8a8a8a8a7paQ3o8Pe1o19442424242955353l9G2k9K2kaG2kaK2k285l2869695"
     "x6fdfc1wbI3w4dbdax2a8a7xaI3w8He1p535353534242p9M2saM2s286868685zg6fdfc1w"
     "bI3w4dbdaz2a7zaG3y8fe1x5394x9I2waI2w29685j6fdfdfdfdfdfdfdfc1kbU3k4dbdbdb"
     "dbdbdbdbdazzzu"},
    {"OCR-A", PrintMethod::Laser, false,
     "zzzzzv178888877777761naRe3mbScm2abbbbbbbbbbcH1x3H1x3H1x3H1x3H1x3H1x3H1x6"
     "Hp18999999aHap8P3p9P3p18999999aeGby5Hy3H1x3H1x3H1x3H1x3H1x3H1l4ccccccccc"
     "ccdH1lbSbm9Rd2n56666666666651zzzzzz0"},
    {"OCR-A", PrintMethod::Pins24, false,
     "zzzzzx1110111011101o8efeeefeeefeedn8befeeefeeefeeda2lacefeeefeeefeeef3m8"
     "eHeHeHef4n222122212229ef3y7ef3y7ef3y8ef4y8ef3y7ef3p4455445549ef3pdfeHeHe"
     "f4pdeefeeefeed2qceefeeefeeda2paabcbabcbcef3y8ef4y8ef3y7ef3y7ef3y8ef4y8ef"
     "3y7ef3l44554455445549ef3ldfeHeHeHef4ldeefeeefeeefeed2m566766676667666zzz"
     "zx"},
    {"OCR-A", PrintMethod::Pins9, false,
     "zzzzzu1cecececececece4m4S9m1cedededededede4z79792w4I9w3I7x5858x3I7w4I8x8"
     "9892o1cecececece4q4O9q1cedededede4z79792w4I9w3I7x5858x3I7w4I8x89892w1cec"
     "e4w4I9w1cede4l797979797979792m4S9m3S7n34343434343434zzzzy"},
    {"JetBrains Mono", PrintMethod::Laser, false,
     "zzzq6666666666666663mT7mT7mdddddddddddeH7w3eGd2v2eGe2v2dGe3v1dH4v1cH5wbH"
     "6waH8w7He74v8Ke7t8Mb1r5999adIbx4dH6x2eGdy9H2x5H5x3H6x3H6j13331n3H6j3H7n4"
     "H6j1H9n6H4kcGe1mcH1k7Hal8Hal1dHc51014bHe2m3eQ5o3dNe4r6cJc71v2321zzv"},
    {"JetBrains Mono", PrintMethod::Pins24, false,
     "zzzq111111111111111m7GeeGeeGeeGeal6efeeefeeefeeefe9l6efdeefdeefdeefd9l7e"
     "feeefeeefeeefe9m1110111011ceG5v1bdee61u27fdeew7efeeew7Gea1v9cef83v6ceef3"
     "v2feeef511t2feeGeeet1feeefeeeb3r1baaabacef83x7efe9y3feay1fecax2fdeex2fee"
     "ex2feeek4bb3n1feeek6ef3n2fdeek7ef5n3feeek7Geal7Gea1k6efecaj9cefe9l4bfdee"
     "65566ceefa6m2feeefeeefeeef5o1ceGeeGeee1q44565456545zzs"},
    {"JetBrains Mono", PrintMethod::Pins9, false,
     "zzn101010101010101m3eeeeeeeeeeeeeeee2k8U6k2cccccccccccccccc1w1a9a91w7I6w"
     "5I3t54542222t6I4w7I5v118787v3eeee2w8I6w2cccc1u1a9a9a9a9a91q7O6q5O3r22222"
     "2227654x6I4w7I5x8787x3eeee2w8I6w2cccc1i1a9a91m1a9a91i7I6m7I6i5I3m5I3j227"
     "654545454547622l6S4m7S5n87878787878787zzzu"},
    {"B612 Mono", PrintMethod::Laser, false,
     "zzzzzw9aaaaaaaaaaaaa6neR8m1ObeG8n44444444415H5w3eGbw3eGe2v4eGe3v5He4v8He"
     "3u1aHa2u2dHb763t4Me91q4Oe3p276678beIe2v17Iax4I1xbH4x8H5x8H5xbH3w3Hdw1dH7"
     "v3dHcu4aId2p2369dJb1o7Nd6q7Lb5s7feca851zzzz0"},
    {"B612 Mono", PrintMethod::Pins24, false,
     "zzzzzw899a999a999a999nceefeeefeeefeedndeHeHeHeenceefeeefe94feeen56676667"
     "68afeb6v49efb7v1deG4v2feeef4u5afeb671t49efb7v1deG401t2feeefeeet2feeefeed"
     "a96q2cbbbcdeefea4vdeHee1u114feeef4w7ceef3xceef3xdeG4xceef4xceef3w5ceec3v"
     "3Geew7efeees59a9befeb6n444549efeeecb7odeHeHeerceefeeef512r566766671zzw"},
    {"B612 Mono", PrintMethod::Pins9, false,
     "zzzzs2a8a8a8a8a8a8a7naS3m8Re1n42424242429594x9I2waI2w29685v6fdfc1wbI3w4d"
     "bdat2a8a8a7vaK3u8Je1v424242535353v9K2uaK2u2869695x6fdfc1wbI3w4dbdax2a8a7"
     "xaI3w8He1t53539442t9K2uaK2u2868685n6fdfdfdfc1sbM3s4dbdbdbdazzx"},
    {"League Mono", PrintMethod::Laser, false,
     "zzzzzzy3aaaaaaaaaaaaaaa4l5T6l4bbbbbbbbbbbdH6w3eGbw2eGb1v1dGc1v1cGd1wbGd2"
     "waGe3w8Ge3w7H87862s4Na1r9fea99cHd1r4j5eG9y6GezH3ydG5ydG5l24o1H3j18fe2n7G"
     "ek2eGe4l6H7l5Ib63336cHcn4dPb1o16cLb5t1455531zzzzzzi"},
    {"League Mono", PrintMethod::Pins24, false,
     "zzzzzzy2dccddccddccddcccl1feeefeeefeeefeeel2eddeeddeeddefdddx2Gax6dfe9w6"
     "aef95v3ceee4v2Iw6dfea3v6aef95v3ceef6233s2N5s4cee438efd8s688g39feb8x2edee"
     "zcGzceezbeem322obeel2GaocGk6dfedcl2ddeek39feee88788878feb8l2eddefdeefdee"
     "fd9p7O5q13433343334zzzzzzg"},
    {"League Mono", PrintMethod::Pins9, false,
     "zzzzzzzz02cdcdcdcdcdcdcdcd3k6U8k2eeeeeeeeeeeeeeee3v7878x5I7w4I6v336844v3"
     "I5w6I7x99991s2cdcdcdcdcd3q6O8q2eeeeeeeeee3zg7878x5I7w4I6x6868x3I5w6I7x99"
     "991i2cdcdcd3g2cdcdcd3k6K8g6K8k2eeeeee3g2eeeeee3zzzzzzzg"},
    {"PT Mono", PrintMethod::Laser, false,
     "zzzzs36666666666666661l9T3l9T3l366666666666eGe2w7H4w4H7w2eG9xcGbx9Gd1w5G"
     "e2w3eG3w1dG5xaGb431u6Lb4s8Na1q48889aeIbx4cH7ybGdy2H3ydG5ycG5ydG4x2H1xbGb"
     "x9H3m951j16dH8m2HdbbbcJ8n6Pd5o16adJd94v111zzy"},
    {"PT Mono", PrintMethod::Pins24, false,
     "zzzzs999aa99aa99aa99a1leeefeeefeeefeeef2lGeHeHeHef2l211221122112eeef2v3a"
     "eec7v38fec9v1aeG7weeef4xeec7w15ec9x5G7x9efe7w9cefeb9a1teeefeeef644rGeHeH"
     "c1q21122aefeeef2u367eeef1xbcef62xaeG7x9efe7x9efe6x9efe6xaeG7x9ef4v3aacef"
     "1l44455445548feedc1lGeHeHeHcneeefeeefeeef411n666766676667zzzx"},
    {"PT Mono", PrintMethod::Pins9, false,
     "zzzzs2a8a8a8a8a8a8a8a7laU3k8Te1l4242424242959442v9I2waI2w29685v6fdfc1wbI"
     "3w4dbdav2a7zaG3y8fe1x5395535353r9O2qaO2q28686868695z6fdfc1wbI3w4dbdaz2a7"
     "zaG3y8fe1v535394v9K2uaK2u2868685l6fdfdfdfdfc1qbO3q4dbdbdbdbdazzv"},
    {"Manrope", PrintMethod::Laser, false,
     "zzzzs6cccccccccccccccc2k7U3k7U3w3eGaw3eGaw4eG9w5H9w6H8w7H7w9H7waH6v1bIdb"
     "82s3Na1r9febbcId2q14i18Hcy4H6y7Gdy1eG3yaG6y8G7y8G8y9G7k152pcG4j6Gao3H1j2"
     "H5m1cG9l8H6k2bGe2mcHc74469eH5n1bOe5q6dLa2t3689851zzu"},
    {"Manrope", PrintMethod::Pins24, false,
     "zzzzs1cbbccbbccbbccbbc1k1eeeeeeeeeeeeeeeel1eeeeeeeeeeeefeee1w1I1v4ceea5u"
     "769ea96u3feee1v6Hbw9cee83v7ceea3v3feee311t6Lbt5eeedeeeccc4q39a999aceee94"
     "waeefeb2x1I1w1eede1xaceezbee1ybG1yade1yaeel22p2bee1j6G6n1I1j5eec8m1eea5k"
     "3aeec7j467eeam1eeee31222beefeaobP6p335eedeeea551sa999a96zzu"},
    {"Manrope", PrintMethod::Pins9, false,
     "zzzzr3dcdcdcdcdcdcdcdcdc2i8W6i3eeeeeeeeeeeeeeeeee2v8787x7I5w6I4t33334444"
     "t5I3w7I6w19999t3dcdcdc2u8K6u3eeeeee2zi8787x7I5w6I4x448633x5I3w7I6w19999x"
     "3dcdc2w8I6w3eeee2j8787o87l7I5m7G5k6I4m6G4l4486333333333344n5Q3o7Q6o19999"
     "99999999zzs"},
    {"IBM 3270", PrintMethod::Laser, false,
     "zzzzzweSemeSem9aaaaaaaaaaaadfezbfey9Gdx9Ge3w9Ge3w9Ge3waGe3waGe3waGe3w9I5"
     "wbJ5v2778H5y5H5y5H5y5H5y5Gdzafdzafdy3efdx3eG7k5c1n3eG7k4Gd1l3eG7l1bGd999"
     "9999eG7n1bP7p1bN7s111111111zzzy"},
    {"IBM 3270", PrintMethod::Pins24, false,
     "zzzzs39998999899989996l6efeeefeeefeeefe9l7Tam2322232223224fe9y1ee9x15fc8"
     "x7G5xadef4v19cee82u15fcccw7G5xadef4v19ceeea6u1dcccfea4x2I1x3beee4x6aeea6"
     "x5cfe9y2Gay2fe9y1ee9x15fe9x7Hakade1madef61kbee93j19cee82l9cef7344335fedc"
     "o7Paq4feeefeeef61r8777877782zzzx"},
    {"IBM 3270", PrintMethod::Pins9, false,
     "zzzzzw14242424242424241ldTbleTdl5a7a7a7a7a7a7a7a4v9fcf7xIex9fcf8v49794xe"
     "HdxdHbt142439341tdJbveJdv5a7a7a4zg9fcf7xIex9fcf8z49794xeHdxdHbv1439341vd"
     "HbxeHdx5a7a4l9fcfcfcfcfcf7pQep9fcfcfcfcfcf8zzzzz0"},
    {"Monoid", PrintMethod::Laser, false,
     "zzm5cccccccccccccc7m6S9m6S9x6Ge2w1eG6xaGbx4Ge2w1dG6x8Gbx3Ge2xcG5x7Gax2ef"
     "e1xbGa7751t1eKe6t4edceI6x4cGe1x1dG7y5Gcy1H1ycG3ybG4yaG5yaG5yaG5ycG3yeG1x"
     "4GdyaG9x7H3m6da8654447cH9n6Qbo5Oe7r246789874p"},
    {"Monoid", PrintMethod::Pins24, false,
     "zk33223322332233n6S6m6eeeeeeeeeeeeee5m38988898889ceee4xbdee4xbG1w1ddb3w3"
     "8eeax5eed9x6G6x9de4x8ceex1eede1w1Gbx5deedddc9t38eeeeeec8t1edceeede4ybH6x"
     "28ee5y5ee95x5eeeax6Hbx14eeay1eeay1eeay1Gbx5deeax5eea6x5ee5y6G6m5d1k1dcde"
     "e5m5e87788778eeee92m5eeedeeedeedce1n6O6q13433343334p"},
    {"Monoid", PrintMethod::Pins9, false,
     "zj163636363636362ncRdndRen39696969696a694x9fazeGz6d8x5b6zdGzafcx16231xcf"
     "dzdfez39410101w9fdfdfaveKv6dadad8z5b8b6xdIxaHcx29492xcHdxdHex3a6a4x9fdfa"
     "xeIx6dad8x5b6zdGzafcn163636363636231ncPdpdPep3969696969694zq"},
    {"draft 5x7", PrintMethod::Pins9, false,
     "zzzzzzzzg75g75g75g75g75j8G38G38G38G38G3i8G38G38G38G38G3j65g65g65g86g65v5"
     "fe2y9G4y2b9v3ca1y9G4y5fe2z11g75z8G3y8G3z65g21z5fe2y9G4y2b9j3ca1q3ca1i9G4"
     "q9G4i5fe2q5fe2j11g75g75g75g11n8G38G38G3q8G38G38G3r65g65g65zzzzzzg"},
    {"draft 7x9", PrintMethod::Pins9, false,
     "zzzr23232323232323n2S6m4S9n9a9a9a9a9a9a9a2w1bd3y4G9y1df4x6811x4G8y3G7x23"
     "35x2G6y4G9z9a2w1bdbdbd3u4K9u1dfefef4w10101681y4G8y3G7z3523z2G6y4G9z9a2m1"
     "bd3m1bd3m4G9m4G9m1df4m1df4o1686868686811p4O8q3O7r3545454545zzs"},
};

const std::size_t kReferenceThreeCount = std::size(kReferenceThrees);

}  // namespace fontprobe
