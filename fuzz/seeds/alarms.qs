# Caught: three times the password breaker without the proxy bypass, each alarm acknowledged,
# until criminality reaches "Velká" and the police come.
wait 1600
click connect Picture1
type 155
type 8
key 13
type 13
key 13
type 76
click ip Command1
click Programy Command1
wait 1000
click security Command1
print Statistika.Label1.Caption
click connect Picture1
type 155
type 8
key 13
type 13
key 13
type 76
click ip Command1
click Programy Command1
wait 1000
click security Command1
print Statistika.Label1.Caption
click connect Picture1
type 155
type 8
key 13
type 13
key 13
type 76
click ip Command1
click Programy Command1
wait 1000
click security Command1
print Statistika.Label1.Caption
screens
