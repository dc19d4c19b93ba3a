# The five target computers, each as the player first reaches it: the whole game of
# examples/full-game.qs with a picture taken at every target.
wait 1600
expect Statistika.Label1.Caption Není
expect Statistika.Label2.Caption Začátečník
expect Statistika.Label3.Caption 0

# --- Mission 1: delete a file on the competitor's computer (155.8.13.76) --------------------
click board Picture1
expect Message.Visible True
# The two attachments: "Proxy bypass" and "Files wizard".
click Message Picture2
click Message Picture3
expect Programy.Command6.Visible True
expect Programy.Command3.Visible True
click Message Command3

click connect Picture1
type 155
type 8
key 13
type 13
key 13
type 76
click ip Command1
expect map1.Visible True
expect login.Visible True
expect map1.Label7.Caption Neaktivní

click Programy Command6
expect map1.Line5.Visible True
click Programy Command1
expect cracking.Visible True
expect map1.Label7.Caption 200
wait 21000
expect cracking.Loaded False
expect login.Text1.Text sysop
expect login.Text2.Text vilemzahradka
click login Command1
expect comp1.Visible True
shot docs/target-comp1.png
expect login.Visible False

click Programy Command3
expect wizard.Visible True
click comp1 Command7
expect comp1.Label5.Visible False
expect Statistika.Label2.Caption Málo známý
click wizard Label2
click map1 Command1
expect map1.Loaded False
expect comp1.Visible False

click board Picture1
click Message Command1
expect Message.Loaded False
expect board.Picture6.Visible True
click board Picture6
expect miseok.Visible True
expect Statistika.Label3.Caption 20 000
expect board.Picture7.Visible True
expect board.Picture2.Visible True
click miseok Picture1

# --- Mission 2: copy a case document from the lawyer's computer (234.122.126.9) --------------
click board Picture2
expect Message2.Visible True
click Message2 Command3

click connect Picture1
type 234
type 122
type 126
type 9
click ip Command1
expect map1.Visible True
expect map1.Label7.Caption Neaktivní
expect map1.Line5.Visible False

click Programy Command6
click Programy Command1
expect map1.Label7.Caption 200
wait 21000
expect login.Text2.Text ivanbartosek
click login Command1
expect Comp2.Visible True
shot docs/target-comp2.png

click Programy Command3
click Comp2 Command4
expect kopírování.Visible True
expect Statistika.Label2.Caption Středně známý
click kopírování Picture1
click wizard Label2
click map1 Command1
expect map1.Loaded False

click board Picture2
click Message2 Command1
expect board.Picture8.Visible True
click board Picture8
expect Statistika.Label3.Caption 56 000
expect board.Picture3.Visible True
click miseok Picture1

# --- Mission 3: delete the two test files on the sawmill's server (255.182.27.156) -----------
click board Picture3
expect Message3.Visible True
# The attachment: "Firewall bypass".
click Message3 Picture2
expect Programy.Command7.Visible True
click Message3 Command3

click connect Picture1
type 255
type 182
type 27
key 13
type 156
click ip Command1
expect map2.Visible True
expect login.Visible True
expect map2.Label8.Caption Neaktivní

click Programy Command6
click Programy Command7
expect map2.Line7.Visible True
expect map2.Line9.Visible True
click Programy Command1
expect cracking.Visible True
expect map2.Label8.Caption 150
wait 21000
expect map2.Label8.Caption 45
expect login.Text2.Text karelmoucha
click login Command1
expect comp3.Visible True
shot docs/target-comp3.png

click Programy Command3
click comp3 Command5
expect Statistika.Label2.Caption Středně známý
click comp3 Command6
expect comp3.Label3.Visible False
expect comp3.Label4.Visible False
expect Statistika.Label2.Caption Známý
click wizard Label2
click map2 Command1
expect map2.Loaded False
expect comp3.Visible False
expect security.Visible False

click board Picture3
click Message3 Command1
expect board.Picture10.Visible True
click board Picture10
expect miseok.Visible True
expect Statistika.Label3.Caption 56 000
expect board.Picture4.Visible True
click miseok Picture1

# --- Mission 4: bring down the BCCD s.r.o. server (45.103.222.39) ----------------------------
click board Picture4
expect Message4.Visible True
# The attachment: "Destruktor v 4.0".
click Message4 Picture2
expect Programy.Command4.Visible True
click Message4 Command3

click connect Picture1
type 45
key 13
type 103
type 222
type 39
click ip Command1
expect map2.Visible True
expect map2.Label8.Caption Neaktivní

click Programy Command6
click Programy Command7
click Programy Command1
expect map2.Label8.Caption 150
wait 21000
expect login.Text2.Text kvetnamor
click login Command1
expect comp4.Visible True
shot docs/target-comp4.png
expect comp4.Label1.Caption Vítejte na serveru firmy BCCD s.r.o.
click comp4 Label2
expect kontakt.Visible True
click kontakt Picture1

click Programy Command4
expect back.Check1.Value 1
expect comp4.Visible False
expect map2.Loaded False
expect Statistika.Label2.Caption Hodně známý

click board Picture4
click Message4 Command1
expect board.Picture12.Visible True
# The reward of mission 4 is a tool: "Generátor hlasu".
expect Programy.Command2.Visible True
click board Picture12
expect board.Picture5.Visible True
expect Statistika.Label3.Caption 56 000
click miseok Picture1

# --- Mission 5: plant the trojan on the NBS server (96.88.173.246) ---------------------------
click board Picture5
expect Message5.Visible True
# The attachment: "Sub Seven".
click Message5 Picture2
expect Programy.Command5.Visible True
click Message5 Command3

click connect Picture1
type 96
key 13
type 88
key 13
type 173
type 246
click ip Command1
expect map2.Visible True

click Programy Command6
click Programy Command7
click Programy Command1
expect map2.Label8.Caption 150
wait 21000
expect login.Text2.Text ludekhora
click login Command1
expect voice.Visible True
expect comp5.Visible False

# The voice identification: the generator fakes the voice, then the confirm picture lets us in.
click Programy Command2
expect voicebraker.Visible True
expect voice.Picture4.Visible False
wait 1700
expect voicebraker.Loaded False
click voice Picture5
expect voice.Loaded False
expect comp5.Visible True
shot docs/target-comp5.png
expect comp5.Label2.Caption Administrátor

click Programy Command5
expect trojan.Visible True
expect back.mise5.Value 1
click trojan Picture1
click comp5 Label6
expect comp5.Loaded False
expect map2.Loaded False
expect security.Visible False
expect Statistika.Label1.Caption Není

click board Picture5
click Message5 Command1
expect board.Picture14.Visible True
click board Picture14
expect Statistika.Label3.Caption 206 000
expect board.Picture15.Visible True
expect about.Visible True

# --- The closing credits: their close picture appears after 3.8 s and ends the game ----------
expect about.Picture2.Visible False
wait 3800
expect about.Picture2.Visible True
expect Statistika.Label3.Caption 206 000
click about Picture2
