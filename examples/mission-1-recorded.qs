# Mission 1 as a player played it with the mouse and the keyboard, in the real window on an X server (Xvfb and openbox, driven by xdotool at a person's pace), recorded with quillon --record.
# Quillon 1.0.0, a game recorded on 2026-12-06 with quillon --record.
# Play it again with quillon --replay FILE (in the window) or quillon --script FILE.
wait 3276
click board Picture1
wait 1873
click Message Picture2
wait 1366
click Message Picture3
wait 1668
click connect Picture1
wait 1245
type 155
wait 901
type 8
wait 616
key 13
wait 736
type 13
wait 725
key 13
wait 635
type 76
wait 1818
click ip Command1
wait 1958
click Programy Command6
wait 1657
click Programy Command1
wait 23446
click login Command1
wait 2059
click Programy Command3
wait 1748
click comp1 Command7
wait 2242
click map1 Command1
wait 1947
click Message Command1
wait 1843
click board Picture6
wait 2146
click miseok Picture1
wait 2132
