6.2
1.5
0
0.002
1
12
21
55
80
63
0
 1 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
 1 
 3 
