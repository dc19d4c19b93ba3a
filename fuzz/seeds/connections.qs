# Every server of the directory in turn, each connection breaking the one before, an unknown
# address, an address box left with Escape, and at last a trace countdown that runs out.
wait 1600
click board Picture1
click Message Picture2
click Message Picture3
click connect Picture1
type 255
type 182
type 27
key 13
type 156
click ip Command1
click connect Picture1
type 155
type 8
key 13
type 13
key 13
type 76
click ip Command1
click connect Picture1
type 96
key 13
type 88
key 13
type 173
type 246
click ip Command1
click connect Picture1
type 234
type 122
type 126
type 9
click ip Command1
click connect Picture1
type 45
key 13
type 103
type 222
type 39
click ip Command1
click connect Picture1
type 1
key 13
type 2
key 13
type 3
key 13
type 4
click ip Command1
screens
click noconnect Picture1
click ip Command2
screens
click connect Picture1
type 155
type 8
key 13
type 13
key 13
type 76
click ip Command1
click Programy Command6
click Programy Command1
wait 60000
screens
print Statistika.Label1.Caption
click connect Picture1
type 12
key 27
screens
