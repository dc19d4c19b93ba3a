# A connection in progress on map 1: the proxy bypassed, the trace counting down, the login
# prompt waiting and the password breaker at work.
wait 1600
click board Picture1
click Message Picture2
click Message Picture3
click Message Command3
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
wait 9000
shot docs/connection.png
