[S]
case=0
stxfile1=k1.txt
stxfile2=k2.txt
str1="
delimiter=~!%^&*()-+=[]{}|\:;'<>,.?/
color_string=1515A3
color_comment=2008000
comment1='
comment2="REM "
comment3="Rem "

--8<--
#Const 50A0
#Else 50A0
#ElseIf 50A0
#End 50A0
#ExternalSource 50A0
#If 50A0
#Region 50A0
AddHandler 1C00000
AddressOf 1C00000
Alias 1C00000
And 1C00000
AndAlso 1C00000
As 1C00000
Async 1C00000
Await 1C00000
Boolean 1C00000
ByRef 1C00000
Byte 1C00000
ByVal 1C00000
Call 1C00000
Case 1C00000
Catch 1C00000
CBool 1C00000
CByte 1C00000
CChar 1C00000
CDate 1C00000
CDbl 1C00000
CDec 1C00000
Char 1C00000
CInt 1C00000
Class 1C00000
CLng 1C00000
CObj 1C00000
Compare 1C00000
Const 1C00000
Continue 1C00000
CSByte 1C00000
CShort 1C00000
CSng 1C00000
CStr 1C00000
CType 1C00000
CUInt 1C00000
CULng 1C00000
CUShort 1C00000
Date 1C00000
Decimal 1C00000
Declare 1C00000
Default 1C00000
Delegate 1C00000

--8<--
Abs A00080
ActiveSheet A00080
ActiveWorkbook A00080
Application A00080
ArgumentException A00080
Array A00080
Asc A00080
Cells A00080
Chr A00080
Collections A00080
Console A00080
CreateObject A00080
Debug A00080
Dictionary A00080
Err A00080
Exception A00080
File A00080
Fix A00080
Format A00080
Generic A00080
InputBox A00080
InStr A00080
Int A00080
IO A00080
IsArray A00080
IsNothing A00080
IsNumeric A00080
Join A00080
LBound A00080
LCase A00080
Left A00080
Len A00080
List A00080
LTrim A00080

--8<--
hf 4294967295 1 S
--8<--
' sample.vb: a simple grade calculator, a small example of Visual Basic .NET.
Option Strict On
Imports System.Collections.Generic

Module GradeBook

    ' One student with the marks of the term.
    Public Class Student
        Public Property Name As String
        Public Property Marks As New List(Of Integer)

        Public Function Average() As Double
            If Marks.Count = 0 Then Return 0
            Dim total As Integer = 0
            For Each m As Integer In Marks
                total += m
            Next
            Return total / Marks.Count
        End Function
    End Class

    Function Grade(ByVal average As Double) As String
        Select Case average
            Case Is >= 90 : Return "A"
            Case Is >= 75 : Return "B"
            Case Is >= 60 : Return "C"
            Case Else : Return "F"
        End Select
    End Function

    Sub Main()
        Dim students As New List(Of Student) From {
            New Student With {.Name = "Mei", .Marks = New List(Of Integer) From {92, 88, 95}},
            New Student With {.Name = "Hao", .Marks = New List(Of Integer) From {70, 64, 81}}
        }
        For Each s As Student In students
            Dim avg As Double = s.Average()
            Console.WriteLine("{0,-8}{1,6:F1}  {2}", s.Name, avg, Grade(avg))
        Next
        REM wait so the console window stays open
        Console.ReadLine()
    End Sub

End Module
