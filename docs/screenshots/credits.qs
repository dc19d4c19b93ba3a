# The closing credits opened by "Konec hry", their close picture shown after 3.8 s.
wait 1600
click Statistika Command1
wait 4000
shot docs/credits.png
